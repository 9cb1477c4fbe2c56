#include "letters/ButtonPalette.h"

#include "common/Profile.h"
#include "presentation/SymbButtonGadget.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"

#include <QCloseEvent>
#include <QGridLayout>

namespace lexinum {

ButtonPalette::ButtonPalette(QLineEdit* field, AppServices& app, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Palette de lettres"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    for (int id = 0; id < kGadgetCount; ++id) {
        auto* gadget = new SymbButtonGadget(id, field, app.State(), this);
        gadget->setFont(app.Fonts().buttonFont);
        gadgets_[static_cast<std::size_t>(id)] = gadget;
        grid->addWidget(gadget, id / kColumns, id % kColumns);
    }
}

QPoint ButtonPalette::SavedPosition(const Profile& settings, const QSize& screen) {
    int x = settings.ReadInt("GENERAL", "palette x", 0);
    int y = settings.ReadInt("GENERAL", "palette y", 0);
    // Kept from another screen, a position off this one would hide the palette.
    if (x < 0 || x > screen.width())
        x = 0;
    if (y < 0 || y > screen.height())
        y = 0;
    return {x, y};
}

bool ButtonPalette::HasSavedPosition(const Profile& settings) {
    return !settings.ReadString("GENERAL", "palette x", "", 12).empty() ||
           !settings.ReadString("GENERAL", "palette y", "", 12).empty();
}

void ButtonPalette::SavePosition(Profile& settings) const {
    settings.WriteInt("GENERAL", "palette x", pos().x());
    settings.WriteInt("GENERAL", "palette y", pos().y());
}

void ButtonPalette::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    emit closedByPlayer();
}

} // namespace lexinum
