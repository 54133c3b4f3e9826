#include "kinzo/views/LedgerViews.h"

#include "CViewRegistry.h"
#include "kinzo/views/CDayView.h"

void RegisterLedgerViews()
{
    RegisterKinzoView(CDayView::FormId,
                      [](CKinzoDoc& document, QWidget* parent) { return new CDayView(document, parent); });
}
