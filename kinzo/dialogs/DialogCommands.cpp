#include "kinzo/dialogs/DialogCommands.h"

#include "CKinzoApp.h"
#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CDateMoveDialog.h"
#include "kinzo/dialogs/accounts/AccountCommands.h"
#include "kinzo/dialogs/counterparties/CounterpartyCommands.h"
#include "kinzo/dialogs/search/SearchCommands.h"
#include "kinzo/dialogs/settings/SettingsCommands.h"
#include "kinzo/dialogs/transfer/TransferCommands.h"
#include "kinzo/dialogs/payments/PaymentCommands.h"
#include "kinzo/dialogs/loans/LoanCommands.h"

namespace {

constexpr int DayListForm = 101;
constexpr int MonthForm = 138;
constexpr int YearForm = 139;

// The date dialog in a mode; on OK the chosen day becomes the current date
// and the form is shown (a form this program lacks is left as it is).
CMainFrame::FrameCommand GoToDate(CDateMoveDialog::Mode mode, int formId)
{
    return {[mode, formId](CMainFrame& frame) {
                CDateMoveDialog dialog(&frame, mode, frame.App().m_currentDate);
                if (dialog.DoModal() != QDialog::Accepted) return;
                frame.App().m_currentDate = dialog.Date();
                frame.SwitchView(formId);
            },
            [](const CMainFrame& frame) { return frame.Document().IsOpen(); }};
}

}  // namespace

void RegisterDialogCommands()
{
    CMainFrame::RegisterCommand(CmdGoToDay, GoToDate(CDateMoveDialog::DayMode, DayListForm));
    CMainFrame::RegisterCommand(CmdGoToMonth, GoToDate(CDateMoveDialog::MonthMode, MonthForm));
    CMainFrame::RegisterCommand(CmdGoToYear, GoToDate(CDateMoveDialog::YearMode, YearForm));
    RegisterSearchCommands();
    RegisterAccountCommands();
    RegisterCounterpartyCommands();
    RegisterTransferCommands();
    RegisterSettingsCommands();
    RegisterPaymentCommands();
    RegisterLoanCommands();
}
