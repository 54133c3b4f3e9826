// One dialog holding every control of the toolkit: its names, roles and tab
// order as assistive technology meets them, and pictures of it at two
// magnifications in two pairs of colours (saved beside the test as
// gallery_<zoom>_<colours>.png for a person to look at).

#include "KoTestSupport.h"

#include "kolib/CKoButton.h"
#include "kolib/CKoColorSettingDlg.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoPasswordEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/CKoVDateTimeStatic.h"
#include "kolib/CKoVDialogBase.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/CKoStyle.h"
#include "kolib/CKoVLoginDlg.h"
#include "kolib/KoMnemonic.h"

#include <QAccessible>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

class GalleryDialog : public CKoVDialogBase {
public:
    GalleryDialog() : CKoVDialogBase(900)
    {
        setWindowTitle(u"コントロール見本"_s);
        auto* layout = new QVBoxLayout(this);
        auto* grid = new QGridLayout;
        layout->addLayout(grid);

        name = new CKoEdit(this);
        name->setText(u"四月分の食費"_s);
        addRow(grid, u"摘要(&N)"_s, name);
        auto* amount = new CKoIntegerEdit(this);
        amount->SetRange(1, -999999, 999999, 7);
        amount->setText(u"12500"_s);
        addRow(grid, u"金額(&K)"_s, amount);
        auto* partner = new CKoVComboBox(this);
        partner->setEditable(true);
        partner->addItems({u"山田商店"_s, u"佐藤薬局"_s});
        addRow(grid, u"相手先(&A)"_s, partner);
        partner->Setup(u"相手先"_s, 1, 20);
        auto* account = new CKoVComboBox(this);
        account->addItems({u"食費"_s, u"光熱費"_s});
        addRow(grid, u"科目(&S)"_s, account);
        auto* date = new CKoVDateTimeCtrl(this);
        date->setDate(QDate(2024, 4, 30));
        addRow(grid, u"日付(&D)"_s, date);
        auto* registered = new CKoVDateTimeStatic(this);
        registered->SetDate(QDate(2024, 5, 1));
        addRow(grid, u"登録日"_s, registered);
        auto* list = new CKoVListCtrl(this);
        list->setHeaderLabels({u"支払名"_s, u"金額"_s});
        for (const auto& [title, money, paid] : {std::tuple{u"家賃"_s, u"65,000"_s, true},
                                                 std::tuple{u"電気代"_s, u"8,120"_s, false}}) {
            auto* item = new QTreeWidgetItem(list, {title, money});
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, paid ? Qt::Checked : Qt::Unchecked);
        }
        list->setCurrentItem(list->topLevelItem(0));
        list->setMinimumHeight(list->sizeHintForRow(0) * 4);
        addRow(grid, u"支払(&L)"_s, list);
        auto* password = new CKoPasswordEdit(this);
        password->setText(u"abcd"_s);
        addRow(grid, u"パスワード(&P)"_s, password);
        menu = new CKoButton(u"メニュー(&M)"_s, this);
        grid->addWidget(menu, grid->rowCount(), 1, Qt::AlignLeft);
        layout->addLayout(MakeOkCancelRow());
    }

    CKoEdit* name;
    CKoButton* menu;

private:
    void addRow(QGridLayout* grid, const QString& caption, QWidget* field)
    {
        const int row = grid->rowCount();
        auto* label = new QLabel(caption, this);
        KoTieLabel(label, field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    }
};

QList<QWidget*> tabStops(QWidget* window)
{
    QList<QWidget*> stops;
    for (QWidget* widget = window->nextInFocusChain(); widget != window; widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && widget->isEnabled()
            && !widget->focusProxy())
            stops << widget;
    }
    return stops;
}

// A menu whose items the test may ask for their style options.
struct MenuProbe : QMenu {
    using QMenu::initStyleOption;
};

}  // namespace

class TestKoGallery : public QObject {
    Q_OBJECT

    KoTestVoice m_voice;
    KoTestSettings m_settings;

    void setColours(const QColor& text, const QColor& back)
    {
        QVERIFY(m_settings.Ini().WriteFontColor(text));
        QVERIFY(m_settings.Ini().WriteBackColor(back));
    }

private Q_SLOTS:
    void init()
    {
        setColours(Qt::black, Qt::white);
        m_settings.Settings().SetFontSize(9);
    }

    void everyControlHasANameAndARole()
    {
        GalleryDialog dialog;
        dialog.show();
        const QList<QWidget*> stops = tabStops(&dialog);
        QCOMPARE(stops.size(), 11);
        for (QWidget* widget : stops) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(accessible);
            // A combo box is named by its label through a relation (Qt's way on Linux).
            const QString name = accessible->text(QAccessible::Name);
            const bool labelled = !accessible->relations(QAccessible::Label).isEmpty();
            QVERIFY2(!name.isEmpty() || labelled, qPrintable(widget->metaObject()->className()));
            QVERIFY2(!name.contains(u'&'), qPrintable(name));
            QVERIFY(accessible->role() != QAccessible::NoRole && accessible->role() != QAccessible::Client);
        }
        const auto nameOf = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(nameOf(stops[0]), u"摘要"_s);
        const auto labels = QAccessible::queryAccessibleInterface(stops[2])->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(static_cast<QLabel*>(labels.first().first->object())->text(), u"相手先(&A)"_s);
        QCOMPARE(nameOf(stops[5]), u"登録日 2024年5月1日"_s);   // the caption, then the date shown
        QCOMPARE(nameOf(stops[2]), u"相手先"_s);   // by its label, not by the entry shown
        QCOMPARE(nameOf(stops[8]), u"メニュー(M)"_s);
        QCOMPARE(nameOf(stops[7]), u"パスワード"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(stops[7])->text(QAccessible::Value), u"****"_s);
        // One attribute run over the whole text: Orca reads a line by its runs
        // and, given an empty run at each offset, drops the last character.
        dialog.name->setText(u"1500"_s);
        int start = -1, end = -1;
        QAccessible::queryAccessibleInterface(dialog.name)->textInterface()->attributes(2, &start, &end);
        QCOMPARE(QPair(start, end), QPair(0, 4));
    }

    void tabGoesThroughTheControlsInReadingOrder()
    {
        GalleryDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const QList<QWidget*> stops = tabStops(&dialog);
        stops.first()->setFocus(Qt::TabFocusReason);
        QList<QWidget*> visited{QApplication::focusWidget()};
        for (int i = 1; i < stops.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, stops);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), stops.first());   // round again, never lost

        for (int i = 1; i < visited.size(); ++i) {
            const QPoint previous = visited[i - 1]->mapTo(&dialog, QPoint(0, 0));
            const QPoint current = visited[i]->mapTo(&dialog, QPoint(0, 0));
            const bool sameRow = qAbs(current.y() - previous.y()) < visited[i - 1]->height() / 2;
            QVERIFY2(sameRow ? current.x() > previous.x() : current.y() > previous.y(),
                     qPrintable(visited[i]->metaObject()->className()));
        }
        QCOMPARE(m_voice.Voice().GetRead(), 1);
    }

    void screenshots_data()
    {
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<QString>("file");
        QTest::newRow("1.0 default") << 9 << QColor(Qt::black) << QColor(Qt::white) << u"gallery_zoom1_default.png"_s;
        QTest::newRow("2.0 default") << 18 << QColor(Qt::black) << QColor(Qt::white) << u"gallery_zoom2_default.png"_s;
        QTest::newRow("1.0 white on black") << 9 << QColor(Qt::white) << QColor(Qt::black) << u"gallery_zoom1_inverse.png"_s;
        QTest::newRow("2.0 white on black") << 18 << QColor(Qt::white) << QColor(Qt::black) << u"gallery_zoom2_inverse.png"_s;
    }

    // A menu's widest item, Japanese at a large size, is drawn whole: the
    // same pixels as with all the room it could want.
    void menuTextIsDrawnWhole()
    {
        KoEnsureStyle();
        for (const int size : {9, 22, 45}) {
            MenuProbe menu;
            QFont font = menu.font();
            font.setPointSize(size);
            menu.setFont(font);
            QAction* widest = menu.addAction(u"文字色・背景色設定(&I)..."_s);
            menu.addAction(u"支払確認(&C)...\tF5"_s);
            QStyleOptionMenuItem option;
            menu.initStyleOption(&option, widest);
            const QSize item = menu.actionGeometry(widest).size();
            const auto draw = [&](int width) {
                QImage image(width, item.height(), QImage::Format_ARGB32);
                image.fill(Qt::white);
                option.rect = image.rect();
                QPainter painter(&image);
                menu.style()->drawControl(QStyle::CE_MenuItem, &option, &painter, &menu);
                return image;
            };
            const QImage drawn = draw(item.width());
            QVERIFY2(drawn == draw(item.width() * 2).copy(drawn.rect()), qPrintable(QString::number(size)));
        }
    }

    void screenshots()
    {
        QFETCH(int, fontSize);
        QFETCH(QColor, text);
        QFETCH(QColor, back);
        QFETCH(QString, file);
        setColours(text, back);
        m_settings.Settings().SetFontSize(fontSize);
        GalleryDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.menu->setFocus(Qt::TabFocusReason);
        const QImage picture = dialog.grab().toImage();
        QVERIFY(picture.save(QDir::current().filePath(file)));
        QCOMPARE(dialog.font().pointSize(), fontSize);
        QCOMPARE(picture.pixelColor(2, 2), back);
        // Field frames are drawn in the text colour, so they show on any back colour.
        const QPoint frameLeft = dialog.name->mapTo(&dialog, QPoint(0, dialog.name->height() / 2));
        QCOMPARE(picture.pixelColor(frameLeft), text);

        if (fontSize == 18) {   // the toolkit's own dialogs, magnified, for a person to look at
            CKoColorSettingDlg colours;
            colours.show();
            QVERIFY(colours.grab().save(QDir::current().filePath(u"colour_dialog_"_s + file.mid(8))));
            CKoVLoginDlg login{QString(), QString()};
            login.show();
            QVERIFY(login.grab().save(QDir::current().filePath(u"login_dialog_"_s + file.mid(8))));
        }

        GalleryDialog plain;   // the same at the designed size, for the ratio
        m_settings.Settings().SetFontSize(9);
        plain.show();
        const double ratio = double(dialog.width()) / plain.width();
        QVERIFY2(ratio > 0.9 * fontSize / 9 && ratio < 1.1 * fontSize / 9, qPrintable(QString::number(ratio)));
    }
};

QTEST_MAIN(TestKoGallery)
#include "test_ko_gallery.moc"
