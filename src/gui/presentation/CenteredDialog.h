#pragma once

#include "presentation/HookDialog.h"

#include <QMargins>

namespace lexinum {

// A game dialog that opens over the centre of its parent window, keeping its
// size. Both windows are measured with their decorations (title bar and
// borders). A dialog wider or taller than the room left beside the frame is
// moved back onto the screen, title bar included.
class CenteredDialog : public HookDialog {
    Q_OBJECT

public:
    CenteredDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic);

    // Top-left corner of a dialog whose decorated frame has size `dialog`,
    // centred on the decorated frame `parent` (screen coordinates); the
    // halving truncates toward zero.
    static QPoint CenteredPosition(const QRect& parent, const QSize& dialog);
    // `topLeft` moved the least so that a decorated frame of size `dialog`
    // lies in `screen`; where it cannot, its top-left corner does.
    static QPoint KeptOnScreen(const QPoint& topLeft, const QSize& dialog, const QRect& screen);
    // The decorated size of a dialog of client size `client`: with its own
    // decorations once the window system has given them, otherwise with those
    // of its parent window, which the same window system decorates alike.
    static QSize DecoratedSize(const QSize& client, const QMargins& own, const QMargins& parent);

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Place();
    QMargins OwnMargins() const;

    bool placed_ = false;
    // Where the decorated frame's top-left corner belongs.
    QPoint placedAt_;
    bool settled_ = false;
};

} // namespace lexinum
