#pragma once

class QWidget;

// The forms of the program that are loaded, in the order they were loaded; the main window is
// the first. Unloading closes a form and destroys it once control is back in the event loop.
namespace ui::LoadedForms {

void load(QWidget* form);
int count();
QWidget* item(int position);
void unload(QWidget* form);

} // namespace ui::LoadedForms
