// Switching the main window's views.

#include "CMainFrame.h"

#include "CKinzoApp.h"
#include "CNullView.h"
#include "CViewRegistry.h"

#include <QStackedWidget>

CKinzoViewBase* CMainFrame::ViewOf(int formId)
{
    const auto found = m_views.find(formId);
    return found == m_views.end() ? nullptr : found->second;
}

CKinzoViewBase* CMainFrame::CreateView(int formId)
{
    CKinzoViewBase* view = formId == CNullView::FormId ? new CNullView(Document(), m_stack)
                                                       : CreateKinzoView(formId, Document(), m_stack);
    if (!view) return nullptr;
    m_views[formId] = view;
    m_stack->addWidget(view);
    return view;
}

int CMainFrame::ActiveFormId() const
{
    return m_activeView ? m_activeView->ResourceId() : 0;
}

void CMainFrame::SwitchView(int formId)
{
    bool loaded = formId == CNullView::FormId;
    if (ActiveFormId() != formId) {
        CKinzoViewBase* target = ViewOf(formId);
        if (!target) {
            target = CreateView(formId);
            if (!target) return;   // no such view in this program yet
            m_activeView = target;
            m_stack->setCurrentWidget(target);
            target->OnInitialUpdate();
            loaded = true;
        } else if (!loaded) {
            // Loaded before it shows: the focus it takes then would otherwise
            // say the cell it had last time.
            m_activeView = target;
            target->ReloadView();
            loaded = true;
        }
        m_activeView = target;
        m_stack->setCurrentWidget(target);
    }
    if (!loaded) m_activeView->ReloadView();
    if (isActiveWindow() || !m_activeView->hasFocus()) m_activeView->setFocus();
    RefreshCommandStates();
}
