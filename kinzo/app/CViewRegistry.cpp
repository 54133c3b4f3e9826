#include "CViewRegistry.h"

#include <map>

namespace {

std::map<int, KinzoViewFactory>& factories()
{
    static std::map<int, KinzoViewFactory> registered;
    return registered;
}

}  // namespace

void RegisterKinzoView(int formResourceId, KinzoViewFactory factory)
{
    factories()[formResourceId] = std::move(factory);
}

bool HasKinzoView(int formResourceId)
{
    return factories().count(formResourceId) > 0;
}

CKinzoViewBase* CreateKinzoView(int formResourceId, CKinzoDoc& document, QWidget* parent)
{
    const auto found = factories().find(formResourceId);
    return found == factories().end() ? nullptr : found->second(document, parent);
}
