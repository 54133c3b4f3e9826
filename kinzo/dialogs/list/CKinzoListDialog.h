#pragma once
// "出納データ一覧": the entries of one account item in one period, listed in
// a CKinzoListGrid. Either end of the period may be an invalid QDate (open).
// The user adds (Ctrl+A), changes (Enter on the grid, Ctrl+U) and deletes
// (Ctrl+D) entries of the account through the entry dialog; every change is
// stored at once, the list is built again and the views hear of it through
// the document. Ctrl+C copies the cell, Ctrl+Space switches the move mode;
// the same actions are offered in the grid's context menu (Menu key,
// Shift+F10). On opening the dialog says the account, the period and the
// number of entries. User-interface thread only.

#include "kolib/CKoVDialogBase.h"

#include <QDate>

class CKinzoDoc;
class CKinzoListGrid;
class QLabel;
class QMenu;

class CKinzoListDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 191;

    CKinzoListDialog(QWidget* parent, CKinzoDoc& document, int accountId, const QDate& start, const QDate& end);
    ~CKinzoListDialog() override;

    // Shows the list modally; what it stored reaches the views by itself.
    static void Open(QWidget* parent, CKinzoDoc& document, int accountId, const QDate& start, const QDate& end);

    // "%s - %s", "%s 以降", "%s 以前", or the one day when both are equal.
    static QString PeriodText(const QDate& start, const QDate& end);

    CKinzoListGrid& Grid() { return *m_grid; }
    QString AccountName() const { return m_accountName; }
    QString Announcement() const;
    // The actions of the keys and the menu.
    void AddEntry();
    void ChangeEntry();
    void DeleteEntry();
    void CopyCell();
    void ToggleMoveMode();
    // The menu of the four actions (its texts carry their keys).
    QMenu* ActionMenu() const { return m_menu; }
    void ShowActionMenu();

protected:
    void OnInitDialog() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    // True when the key was one of the dialog's own.
    bool HandleKey(QKeyEvent* key, bool onGrid);
    // Reads the entries again and fills the grid, the cursor kept on its
    // line where it still exists; on failure the grid keeps its lines.
    bool Rebuild();
    int CurrentEntryId() const;

    CKinzoDoc& m_document;
    int m_accountId;
    QString m_accountName;
    QDate m_start;
    QDate m_end;
    CKinzoListGrid* m_grid = nullptr;
    QLabel* m_accountLabel = nullptr;
    QLabel* m_periodLabel = nullptr;
    QMenu* m_menu = nullptr;
};
