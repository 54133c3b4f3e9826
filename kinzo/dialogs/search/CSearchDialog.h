#pragma once
// "検索": finds entries by words in the account name, the counterparty or the
// note, optionally within a period, and lists them in a CSearchGrid with
// their totals. Enter in the word field searches; Enter anywhere else but on
// a button opens the current hit in the entry dialog (change mode), after
// which the search runs again so the list shows what was stored. Ctrl+Space
// switches the grid's move mode.
// User-interface thread only.

#include "kinzo/dialogs/search/SearchCondition.h"
#include "kolib/CKoVDialogBase.h"

class CKinzoDoc;
class CKoCheckBox;
class CKoEdit;
class CKoVComboBox;
class CKoVDateTimeCtrl;
class CSearchGrid;
class QLabel;

class CSearchDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 153;

    CSearchDialog(QWidget* parent, CKinzoDoc& document);
    ~CSearchDialog() override;

    // Runs "検索(&S)"; false when it stopped with a message.
    bool Search();
    // Opens the current hit in the entry dialog; nothing without one.
    void OpenCurrent();

    CSearchGrid& Grid() { return *m_grid; }
    QString HitCountText() const;

protected:
    void OnInitDialog() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    class QLayout* BuildConditions();
    bool ReadRequest(SearchRequest& request);
    // Queries and shows the hits, the cursor on keepEntryId when it is still
    // listed; false after the failure message.
    bool RunQuery(const SearchRequest& request, bool speak, int keepEntryId);
    void ShowHits(const class QList<struct _ViewEntry>& hits, int keepEntryId);

    CKinzoDoc& m_document;
    CKoEdit* m_text = nullptr;
    CKoCheckBox* m_targets[3] = {};
    CKoCheckBox* m_startBox = nullptr;
    CKoCheckBox* m_endBox = nullptr;
    CKoVDateTimeCtrl* m_startPicker = nullptr;
    CKoVDateTimeCtrl* m_endPicker = nullptr;
    CKoVComboBox* m_condition = nullptr;
    QLabel* m_hitCount = nullptr;
    CSearchGrid* m_grid = nullptr;
    // The search whose hits are listed (no text before the first), run again
    // after an entry was opened whatever the fields say by then.
    SearchRequest m_shown;
};
