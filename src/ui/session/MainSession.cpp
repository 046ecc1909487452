#include "ui/session/MainSession.h"

#include "ui/main/frmMain.h"

namespace ui {

MainSession::MainSession(UiSeam& seam) {
    // No record source is chosen yet, and the first picker reads the schema.
    state_.SourceChosen = false;
    state_.RefillPicker = true;
    window_ = std::make_unique<frmMain>(state_, seam);
    state_.MainForm = window_.get();
}

MainSession::~MainSession() = default;

} // namespace ui
