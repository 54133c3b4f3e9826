#pragma once
// "帳票確認" (dialog 189): the pages of a built report grid one at a time, as
// the printer of the settings would print them. The page caption and the
// spinner say which page of how many is shown; "前へ(Ctrl+←)", "次へ(Ctrl+→)"
// and the spinner change it, and each change says the new caption. The page
// itself carries its printed texts as its accessible description, so a
// screen reader can read what is on it. "印刷(&P)..." prints the report as
// the print dialog does. User-interface thread only.

#include "kolib/CKoVDialogBase.h"

#include <QPrinter>

#include <memory>

class CXGrid;
class QLabel;
class QSpinBox;

class CPrintPreviewDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 189;

    // grid: built in print mode; orientation: of its table (for the page-count question).
    CPrintPreviewDialog(QWidget* parent, std::unique_ptr<CXGrid> grid, int orientation);
    ~CPrintPreviewDialog() override;

    // False when the table does not fit on the paper (after its message).
    bool PreparePages();
    int PageCount() const;
    int CurrentPage() const { return m_page; }
    // Shows the page (from 0) and says its caption.
    void ShowPage(int page);
    QString PageCaption() const;
    // The texts of the page shown, as its accessible description holds them.
    QString PageText() const;
    QLabel* PageView() const { return m_pageView; }
    bool Print();

protected:
    void OnInitDialog() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Render();

    std::unique_ptr<CXGrid> m_grid;
    int m_orientation;
    QPrinter m_printer{QPrinter::HighResolution};
    int m_page = 0;
    QLabel* m_pageView = nullptr;
    QLabel* m_caption = nullptr;
    QSpinBox* m_spinner = nullptr;
};
