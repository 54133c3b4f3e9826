#pragma once
// The grid's moves and what it says. On top of the model: the cursor moves
// by arrow keys over merges and hidden lines, Home/End/Page keys, the data
// jump in both move modes, opening and closing header groups, and the speech
// of every move through the grid's own CVoiceReader; also the texts of the
// clipboard copies. Plain code: the widget (CXGrid) turns keys and clicks into
// these calls and puts copies on the system clipboard.
//
// Keys are passed as Qt key codes (Qt::Key_Left ...), 0 for a move that no
// arrow key made (Home, End, Page keys, clicks, the data jump, a view's
// SetCurrentCell). Everything is spoken with ReadText(text, 1, 0) unless
// said otherwise, and nothing is spoken while speech is off (moves happen).
//
// The replaceable steps of the speech, which the views' grids override:
// OnCellChanged, ReadCell, BuildCellSpeech, ReadRow, ReadColumn,
// GetColumnHeaderSpeech and GetRowHeaderSpeech.

#include "grid/CXGridKeys.h"
#include "grid/CXGridModel.h"

#include "voice/CVoiceReader.h"

class CXGridNav : public CXGridModel {
public:
    CXGridNav();
    ~CXGridNav() override;

    // --- Speech settings.
    // Speak on moves; turning it on also runs the reader's Init.
    virtual void EnableSpeech(int flag);
    int IsSpeechEnabled() const { return m_speak ? 1 : 0; }
    // 0 reads the bare cell text, 1 headers and text.
    virtual void SetReadHeaders(int flag) { m_readHeaders = flag != 0; }
    int GetReadHeaders() const { return m_readHeaders ? 1 : 0; }
    // Whole-row reading leaves out cells that are empty or exactly "0".
    void SetSkipBlankAndZero(int flag) { m_skipBlankZero = flag != 0; }
    int GetSkipBlankAndZero() const { return m_skipBlankZero ? 1 : 0; }
    // 0 horizontal-first, 1 vertical-first. SetMoveMode announces the mode;
    // ToggleMoveMode flips it silently.
    virtual void SetMoveMode(int mode);
    virtual void ToggleMoveMode() { m_moveMode = m_moveMode ? 0 : 1; }
    int GetMoveMode() const { return m_moveMode; }
    CVoiceReader& Voice() { return m_voice; }

    // --- Cursor.
    // Moves the cursor to a valid cell (anything else is ignored), scrolls it
    // into view and reports the move with key 0 (OnCellChanged).
    virtual void SetCurrentCell(int row, int col);

    // Runs one action of the key map on the cursor; false for None.
    bool DoAction(CXGridAction action);

    // --- Moves from a data cell; they return the new cursor (pos itself at
    // an edge, where the cell is spoken with " 左端", " 右端", " 上端" or
    // " 下端"). A merged cell is left as a whole; hidden lines are skipped.
    virtual CXCellID MoveLeft(CXCellID pos);
    virtual CXCellID MoveRight(CXCellID pos);
    virtual CXCellID MoveUp(CXCellID pos);
    virtual CXCellID MoveDown(CXCellID pos);
    // The data jump: the next (previous) cell holding something other than
    // empty or "0", along rows in mode 0 and down columns in mode 1. Returns 1
    // when the cursor moved; else the cell is spoken with " データ末尾"
    // (" データ先頭") and 0 is returned.
    virtual int NextData(int mode);
    virtual int PreviousData(int mode);
    // Key Left closes, key Right opens the group over the cursor's line; key
    // 0 toggles the group headed by the header cell pos (a click).
    virtual void ToggleGroup(CXCellID pos, int key);

    // --- Replaceable speech steps.
    virtual void OnCellChanged(CXCellID previous, CXCellID current, int key);
    virtual void ReadCell(CXCellID previous, CXCellID current, int key);
    virtual QString BuildCellSpeech(CXCellID previous, CXCellID current, int key) const;
    // The cell's text (" 空白" when empty) after its row's and column's header
    // texts: what a move says unless a grid adds more, and the cell's name
    // for assistive technology.
    QString CellWithHeaders(CXCellID cell) const;
    virtual void ReadRow(int row, int key);
    virtual void ReadColumn(int col, int key);
    virtual QString GetColumnHeaderSpeech(int row, int col, int key) const;
    virtual QString GetRowHeaderSpeech(int row, int col, int key) const;
    // What the grid says when it gets the focus: the cursor cell's text alone.
    void SpeakFocus();

    // --- Clipboard copies; nothing is spoken. Header rows (columns) first..last.
    virtual void CopyCellText();
    virtual void CopyCellWithHeaders(int firstHeader, int lastHeader, CXCellID pos);
    virtual void CopyRecordWithHeaders(int firstHeader, int lastHeader, int row);
    virtual void CopyCellWithRowHeaders(int firstHeader, int lastHeader, CXCellID pos);
    virtual void CopyColumnWithHeaders(int firstHeader, int lastHeader, int col);
    // The header texts above a column (left of a row), continuations of a
    // merge along the path left out, joined by "/".
    QString ColumnHeaderPath(int col, int firstHeader, int lastHeader) const;
    QString RowHeaderPath(int row, int firstHeader, int lastHeader) const;

protected:
    void Speak(const QString& text, int stop = 1, int wait = 0);
    // Puts a copy on the clipboard; the model alone keeps it (LastCopy).
    virtual void PutOnClipboard(const QString& text) { m_lastCopy = text; }
    bool IsAreaStart(CXCellID pos) const;

public:
    // The text of the last copy (what went onto the clipboard).
    QString LastCopy() const { return m_lastCopy; }

private:
    CXCellID Step(CXCellID pos, int key, const QString& edgeWord);
    void MoveTo(CXCellID target, int key);
    void PageMove(int direction);
    void HomeEnd(bool toEnd, bool alongColumn);
    void TableCorner(bool toEnd);
    int JumpData(int mode, int direction);
    bool ToggleByKey(bool expand, int key);
    void SpeakToggle(int level, bool expanded, int key);

    CVoiceReader m_voice;
    QString m_lastCopy;
    int m_moveMode = 0;
    bool m_speak = false;
    bool m_readHeaders = true;
    bool m_skipBlankZero = true;
};
