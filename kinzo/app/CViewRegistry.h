#pragma once
// Where the main window finds the views it switches between. The main window
// sits below the views in the program's layers, so the views register a
// factory for their form number (101 day list, 138 month, 139 year, 144
// years) when the program starts, and the window creates them through it.
// A form number without a factory has no view yet.

#include <QWidget>

#include <functional>

class CKinzoDoc;
class CKinzoViewBase;

using KinzoViewFactory = std::function<CKinzoViewBase*(CKinzoDoc& document, QWidget* parent)>;

void RegisterKinzoView(int formResourceId, KinzoViewFactory factory);
bool HasKinzoView(int formResourceId);
// A new view of that form, or null when none is registered.
CKinzoViewBase* CreateKinzoView(int formResourceId, CKinzoDoc& document, QWidget* parent);
