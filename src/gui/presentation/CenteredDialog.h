#pragma once

#include "presentation/HookDialog.h"

namespace lexinum {

// A game dialog that opens over the centre of its parent window, keeping its
// size, even if that puts part of it beyond the screen's edge.
class CenteredDialog : public HookDialog {
    Q_OBJECT

public:
    explicit CenteredDialog(QWidget* parent);

    // Top-left corner of a dialog of size `dialog` centred on `parent` (both in
    // screen coordinates); the halving truncates toward zero.
    static QPoint CenteredPosition(const QRect& parent, const QSize& dialog);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool placed_ = false;
};

} // namespace lexinum
