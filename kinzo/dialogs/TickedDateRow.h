#pragma once
// A check box and the date picker it enables, on a new row of a grid layout:
// the dialogs with optional start and end dates build theirs this way. The
// picker is named after the box and starts disabled.

class CKoCheckBox;
class CKoVDateTimeCtrl;
class QGridLayout;
class QWidget;

CKoVDateTimeCtrl* AddTickedDateRow(QWidget& owner, QGridLayout& grid, CKoCheckBox& box, const char* pickerId);
