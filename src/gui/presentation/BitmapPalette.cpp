#include "presentation/BitmapPalette.h"

#include "common/Profile.h"
#include "common/Prompter.h"
#include "presentation/CenteredDialog.h"
#include "shell/AppServices.h"
#include "shell/BitmapLibrary.h"
#include "shell/SettingsKeys.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

namespace lexinum {

namespace {

// The picture of a pattern's button with `ratio` pixels a point: the pattern
// tiled over the picture's square, each of its pixels a block of whole
// pixels as on the pane; an empty square when the pattern cannot be read.
QPixmap Picture(const QImage& pattern, qreal ratio) {
    QPixmap picture(QSize(BitmapPalette::kPictureSide, BitmapPalette::kPictureSide) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    if (!pattern.isNull()) {
        QPainter painter(&picture);
        painter.fillRect(QRect(0, 0, BitmapPalette::kPictureSide, BitmapPalette::kPictureSide), QBrush(pattern));
    }
    return picture;
}

// The pictures for ordinary screens, for those of two pixels a point and for
// the palette's own: a screen never shows a smaller one enlarged (blurred).
QIcon Pictures(const QImage& pattern, qreal screenRatio) {
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0})
        icon.addPixmap(Picture(pattern, ratio));
    if (screenRatio != 1.0 && screenRatio != 2.0)
        icon.addPixmap(Picture(pattern, screenRatio));
    return icon;
}

} // namespace

BitmapPalette::BitmapPalette(AppServices& app, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowDoesNotAcceptFocus) {
    // A click on a pattern leaves the keyboard with the pane.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Choix de motifs"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    const BitmapLibrary& library = app.Bitmaps();
    // The patterns wear the colours of the library's palette image.
    const QList<QRgb> colours = library.Bitmap(BitmapLibrary::kPaletteBitmap).colorTable();
    bool missingTold = false;
    for (int index = 0; index < BitmapLibrary::kPatternCount; ++index) {
        QImage pattern = library.Bitmap(BitmapLibrary::kFirstPattern + index);
        if (pattern.isNull() && !missingTold) {
            // Said once for the whole palette, not once a button.
            Prompter::Active().Tell("Impossible d'accéder à la ressource bitmap.", AppServices::kProgramName,
                                    PromptIcon::Exclamation);
            missingTold = true;
        }
        if (!pattern.isNull() && pattern.format() == QImage::Format_Indexed8 && colours.size() >= pattern.colorCount())
            pattern.setColorTable(colours);
        auto* button = new QToolButton(this);
        button->setIcon(Pictures(pattern, devicePixelRatioF()));
        button->setIconSize(QSize(kPictureSide, kPictureSide));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        const QString name = QStringLiteral("Motif %1").arg(index);
        button->setAccessibleName(name);
        button->setToolTip(name);
        connect(button, &QToolButton::clicked, this, [this, index] { emit patternChosen(index); });
        buttons_.push_back(button);
        grid->addWidget(button, index / kColumns, index % kColumns);
    }
}

QPoint BitmapPalette::SavedPosition(const Profile& settings, const QSize& screen) {
    int x = settings.ReadInt(keys::kGeneral, keys::kBitmapsX, 0);
    int y = settings.ReadInt(keys::kGeneral, keys::kBitmapsY, 0);
    // Kept from a larger screen, a place off this one would hide the palette.
    if (x < 0 || x > screen.width())
        x = 0;
    if (y < 0 || y > screen.height())
        y = 0;
    return {x, y};
}

void BitmapPalette::SavePosition(Profile& settings) const {
    const QPoint place = frameGeometry().topLeft();
    settings.WriteInt(keys::kGeneral, keys::kBitmapsX, place.x());
    settings.WriteInt(keys::kGeneral, keys::kBitmapsY, place.y());
}

void BitmapPalette::PlaceAt(const QPoint& topLeft) {
    const QScreen* shownOn = QGuiApplication::screenAt(topLeft);
    if (shownOn == nullptr)
        shownOn = QGuiApplication::primaryScreen();
    const QSize whole = frameGeometry().size().expandedTo(sizeHint());
    const QPoint place =
        shownOn != nullptr ? CenteredDialog::KeptOnScreen(topLeft, whole, shownOn->availableGeometry()) : topLeft;
    move(place);
}

void BitmapPalette::closeEvent(QCloseEvent* event) {
    // The frame hides it, keeping its place.
    event->ignore();
    emit closedByPlayer();
}

} // namespace lexinum
