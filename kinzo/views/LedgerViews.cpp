#include "kinzo/views/LedgerViews.h"

#include "CViewRegistry.h"
#include "kinzo/views/CDayView.h"
#include "kinzo/views/print/PrintCommand.h"
#include "kinzo/views/summary/CMonthView.h"
#include "kinzo/views/summary/CYearView.h"
#include "kinzo/views/summary/CYearsView.h"

namespace {

template <class View>
void Register()
{
    RegisterKinzoView(View::FormId, [](CKinzoDoc& document, QWidget* parent) { return new View(document, parent); });
}

}  // namespace

void RegisterLedgerViews()
{
    Register<CDayView>();
    Register<CMonthView>();
    Register<CYearView>();
    Register<CYearsView>();
    RegisterPrintCommand();
}
