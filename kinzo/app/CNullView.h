#pragma once
// The view shown while no data file is open. It holds one line that says so
// and how to go on, so that the focus has somewhere to be and a screen reader
// has something to read; the line is also said each time the view appears.

#include "CKinzoViewBase.h"

class CNullView : public CKinzoViewBase {
    Q_OBJECT
public:
    static constexpr int FormId = 177;
    explicit CNullView(CKinzoDoc& document, QWidget* parent = nullptr);

    static QString StartHint();

protected:
    void showEvent(QShowEvent* event) override;
};
