#pragma once
// The manual the viewer shows: a plain-text file whose structure is found by
// markers and heading numbers. The first non-empty line is the title; the
// lines between one holding "目次ここから" and one holding "目次ここまで" are
// the contents entries; the body repeats each entry as a heading line with
// the same text. No widgets: the viewer's panes show what this holds.
//
// Contents index 0 is the title; pages are aligned with the contents (page 0
// is everything outside the contents section, page k the body from heading k
// to the line before the next heading), each line followed by "\r\n", empty
// lines dropped. The file is only read, never written.

#include <QString>
#include <QStringList>

#include <vector>

class CTebikiDoc {
public:
    // Reads the manual (CP932 or UTF-8, with or without BOM). False, with empty
    // contents and pages, when the file cannot be read.
    bool Load(const QString& path);
    // The same from text already read.
    void Parse(const QString& text);

    const QStringList& Contents() const { return m_contents; }
    const QStringList& Pages() const { return m_pages; }
    // The page of contents entry index; empty past the pages.
    QString Page(int index) const { return m_pages.value(index); }

    // "<title before its first full-width space>のヘルプ"; empty without a title.
    QString WindowTitle() const;

    // 0 for an entry that does not start with a full-width digit, else the
    // number of "－"-separated pieces of the number before "：".
    static int HeadingLevel(const QString& entry);

    // The parent of each contents entry in the tree (-1 for the title, the
    // root). An entry deeper than the one before is its child; one at the same
    // level or shallower hangs under the nearest earlier entry that is
    // shallower than itself, so "２" after "１－１－１" sits beside "１", and
    // every entry is under the title.
    const std::vector<int>& Parents() const { return m_parents; }
    // The entries before and after one in reading order (the tree walked
    // depth first); the same index at either end.
    int PreviousItem(int index) const;
    int NextItem(int index) const;

private:
    void ReadContents(const QStringList& lines);
    void ReadPages(const QStringList& lines);
    void BuildTree();

    QStringList m_contents;
    QStringList m_pages;
    std::vector<int> m_parents;
};
