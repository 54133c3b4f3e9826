#pragma once
// The calculator's state and arithmetic, without any window: what the display,
// the operator indicator and the memory indicator show, and what each key
// says. The dialog turns keys into these calls, shows the three strings and
// speaks (or beeps) what a call returns.

#include <QString>

// What the user hears after an action: a text to speak, or the beep of a
// refused key. Both empty for actions that say nothing (copy, paste).
struct SanboFeedback {
    QString speech;
    bool refused = false;
};

class CSanboEngine {
public:
    enum Operator { None = 0, Plus = 1, Minus = 2, Times = 3, Divide = 4, Equals = 5 };
    static constexpr int MaxEntryLength = 16;
    static constexpr int DefaultTaxRate = 8;

    // '0' to '9', or '.' for the point.
    SanboFeedback Digit(QChar c);
    // Plus, Minus, Times or Divide.
    SanboFeedback TwoOperand(Operator op);
    SanboFeedback Equal();
    SanboFeedback ChangeSign();
    SanboFeedback TaxIncluded();
    SanboFeedback Backspace();
    SanboFeedback ClearEntry();
    SanboFeedback AllClear();
    SanboFeedback MemoryStore();
    SanboFeedback MemoryPlus();
    SanboFeedback MemoryRecall();
    SanboFeedback MemoryClear();
    // Takes a number from pasted text; anything that is not a plain number is
    // refused and the entry stays as it was.
    SanboFeedback Paste(const QString& text);

    QString Display() const { return m_display; }
    QString OperatorIndicator() const { return m_operatorIndicator; }
    QString MemoryIndicator() const { return m_memoryIndicator; }
    QString Entry() const { return m_entry; }
    double Accumulator() const { return m_accumulator; }
    double Memory() const { return m_memory; }
    int TaxRate() const { return m_taxRate; }
    void SetTaxRate(int percent) { m_taxRate = percent; }

    // "%15.14G" without the surrounding blanks.
    static QString Format(double value);
    // The leading decimal number of the text; 0 when there is none.
    static double Atof(const QString& text);
    // The number written in pasted text (full-width digits and comma groups
    // allowed), or false when the text is anything else.
    static bool ParsePastedNumber(const QString& text, double& value);

private:
    double Compute(double a, double b) const;
    // The value a new operator or equals works on.
    double RunningValue() const;

    QString m_entry;
    double m_accumulator = 0.0;
    double m_memory = 0.0;
    int m_pending = None;
    int m_taxRate = DefaultTaxRate;
    // Set after an operator, equals, sign change, tax and the memory keys: a
    // number typed next starts afresh instead of running on.
    bool m_freshEntry = false;
    // Whether a number was given since the last two-operand operator; without
    // one, "2 + 3 + =" would add the 3 twice.
    bool m_operandGiven = true;
    QString m_display;
    QString m_operatorIndicator;
    QString m_memoryIndicator;
};
