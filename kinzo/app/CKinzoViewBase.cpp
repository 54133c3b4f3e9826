#include "CKinzoViewBase.h"

#include "kolib/KoCommandEvent.h"

#include <QCoreApplication>

CKinzoViewBase::CKinzoViewBase(int resourceId, CKinzoDoc& document, QWidget* parent)
    : CKoFormViewBase(resourceId, parent), m_document(document)
{
}

void CKinzoViewBase::ReloadView() {}

bool CKinzoViewBase::OnCommand(int)
{
    return false;
}

std::optional<bool> CKinzoViewBase::IsCommandEnabled(int) const
{
    return std::nullopt;
}

std::optional<bool> CKinzoViewBase::IsCommandChecked(int) const
{
    return std::nullopt;
}

void CKinzoViewBase::PostCommandToMainWindow(int commandId)
{
    if (QWidget* main = window()) QCoreApplication::postEvent(main, new KoCommandEvent(unsigned(commandId)));
}
