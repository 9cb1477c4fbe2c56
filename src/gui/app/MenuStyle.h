#pragma once

#include <QProxyStyle>

namespace lexinum {

// The style of the game's menus: a greyed item can still be highlighted, as
// the player moves over it with the mouse or the arrow keys, so that its hint
// shows in the message bar and tells why it is there.
class MenuStyle : public QProxyStyle {
    Q_OBJECT

public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

} // namespace lexinum
