#include "letters/LettrEnterDialog.h"

#include "letters/LettersMetrics.h"
#include "lexicon/LetterDraw.h"
#include "lexicon/LexiconSet.h"
#include "presentation/Bell.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"
#include "shell/GameState.h"
#include "shell/TimerPeriods.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace lexinum {

namespace {

// The dialog's parts, from the fonts and the number of letters.
struct Geometry {
    int fieldWidth = 0;
    int fieldHeight = 0;
    int marginX = 0;
    int marginY = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
};

constexpr char kTitle[] = "Choisissez voyelle ou consonne";

Geometry Measure(const AppServices& app, int letterCount) {
    const GameFonts& fonts = app.Fonts();
    const QFontMetrics big(fonts.bigFont);
    const QFontMetrics buttonText(fonts.buttonFont);
    const int border = LettersMetrics::FrameBorder(fonts, app.CurrentLayout());
    Geometry g;
    g.marginX = big.averageCharWidth() / 2;
    g.marginY = big.height() / 2;
    g.fieldHeight = 5 * border + LettersMetrics::CellHeight(fonts.bigFont);
    g.buttonHeight = 2 * border + LettersMetrics::CellHeight(fonts.buttonFont);
    // The field holds the draw; a short draw still leaves room for both
    // buttons' labels and for the whole title above them (the window
    // system's title font is taken a quarter larger than the dialogs', with
    // a caption's height for its icon and each of the three buttons a window
    // manager may draw, and one more for the margins).
    const int labels = 2 * (buttonText.horizontalAdvance(QStringLiteral("Consonne")) + 4 * border) + g.marginX;
    const int captionHeight = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int title = QFontMetrics(QApplication::font()).horizontalAdvance(QString::fromUtf8(kTitle)) * 5 / 4 +
                      5 * captionHeight - 2 * g.marginX;
    g.fieldWidth = std::max({letterCount * big.maxWidth(), labels, title});
    g.buttonWidth = (g.fieldWidth - g.marginX) / 2;
    return g;
}

} // namespace

QSize LettrEnterDialog::ClientSize(const AppServices& app, int letterCount) {
    const Geometry g = Measure(app, letterCount);
    return {g.fieldWidth + 2 * g.marginX, 3 * g.marginY + g.fieldHeight + g.buttonHeight};
}

LettrEnterDialog::LettrEnterDialog(QWidget* parent, AppServices& app, LexiconSet& lexicon, int letterCount,
                                   bool refillBags)
    : CenteredDialog(parent, app, kHelpTopic), lexicon_(lexicon),
      letterCount_(LetterDraw::LetterCountInRange(letterCount)), match_(app.State().Competition()),
      playersTurn_(!match_) {
    setWindowTitle(QString::fromUtf8(kTitle));
    // No close box: the draw cannot be abandoned.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    if (!match_ || refillBags)
        lexicon_.RefillBags();
    if (match_) {
        // A QTimer can always be had (it is no scarce window-system timer),
        // so there is no "too many clocks" failure to offer a retry for.
        pickTimer_ = new QTimer(this);
        pickTimer_->setSingleShot(true);
        pickTimer_->setInterval(app.Periods().letterPick);
        connect(pickTimer_, &QTimer::timeout, this, &LettrEnterDialog::PickForPlayer);
        pauseTimer_ = new QTimer(this);
        pauseTimer_->setSingleShot(true);
        pauseTimer_->setInterval(app.Periods().pickPause);
        connect(pauseTimer_, &QTimer::timeout, this, &LettrEnterDialog::EndPause);
    }

    const Geometry g = Measure(app, letterCount_);
    field_ = new QLineEdit(this);
    field_->setReadOnly(true);
    field_->setFocusPolicy(Qt::NoFocus);
    field_->setFont(app.Fonts().bigFont);
    field_->setAccessibleName(QStringLiteral("Tirage"));
    field_->setGeometry(g.marginX, g.marginY, g.fieldWidth, g.fieldHeight);
    vowelButton_ = new QPushButton(QStringLiteral("&Voyelle"), this);
    consonantButton_ = new QPushButton(QStringLiteral("&Consonne"), this);
    const int buttonsTop = 2 * g.marginY + g.fieldHeight;
    vowelButton_->setGeometry(g.marginX, buttonsTop, g.buttonWidth, g.buttonHeight);
    consonantButton_->setGeometry(2 * g.marginX + g.buttonWidth, buttonsTop, g.buttonWidth, g.buttonHeight);
    for (QPushButton* button : {vowelButton_, consonantButton_})
        button->setFont(app.Fonts().buttonFont);
    vowelButton_->setDefault(true);
    connect(vowelButton_, &QPushButton::clicked, this, &LettrEnterDialog::PickVowel);
    connect(consonantButton_, &QPushButton::clicked, this, &LettrEnterDialog::PickConsonant);
    setFixedSize(ClientSize(app, letterCount_));
    vowelButton_->setFocus(Qt::OtherFocusReason);
}

bool LettrEnterDialog::Complete() const {
    return static_cast<int>(letters_.size()) >= letterCount_;
}

bool LettrEnterDialog::TakingPicks() const {
    return playersTurn_ && !Complete();
}

void LettrEnterDialog::PickVowel() {
    PlayerPick(true);
}

void LettrEnterDialog::PickConsonant() {
    PlayerPick(false);
}

void LettrEnterDialog::PlayerPick(bool vowel) {
    if (!TakingPicks())
        return;
    if (match_) {
        // The turn passes before the draw: an empty bag's message, with its
        // own event loop, then finds no timer running and no turn to take.
        playersTurn_ = false;
        pickTimer_->stop();
    }
    Add(vowel ? LetterDraw::DrawVowel(lexicon_) : LetterDraw::DrawConsonant(lexicon_), Picker::Player);
}

void LettrEnterDialog::PickForPlayer() {
    if (!TakingPicks())
        return;
    playersTurn_ = false;
    Bell::Ring();
    Add(LetterDraw::ComputerPick(lexicon_), Picker::Chance);
}

void LettrEnterDialog::StartPlayersTurn() {
    playersTurn_ = true;
    pickTimer_->start();
    emit playersTurn();
}

void LettrEnterDialog::Add(char letter, Picker picker) {
    if (Complete())
        return;
    letters_ += letter;
    field_->setText(QString::fromStdString(letters_));
    // A screen reader says the letter drawn and, in a match, who picked it
    // (the field's text alone would be read from its start each time).
    const bool vowel = LetterDraw::IsVowel(letter);
    const QString kind = vowel ? QStringLiteral("voyelle") : QStringLiteral("consonne");
    const QString said = QStringLiteral(" ") + QLatin1Char(letter);
    switch (picker) {
    case Picker::Player:
        Announce((vowel ? QStringLiteral("Voyelle") : QStringLiteral("Consonne")) + said);
        break;
    case Picker::Chance:
        Announce(QStringLiteral("Au hasard : ") + kind + said);
        break;
    case Picker::Computer:
        Announce(QStringLiteral("Ordinateur : ") + kind + said);
        break;
    }
    if (!match_) {
        if (Complete())
            accept();
        return;
    }
    // The letter shows during the pause; what follows it is decided when the
    // pause ends.
    lastPicker_ = picker;
    pauseTimer_->start();
}

void LettrEnterDialog::EndPause() {
    if (Complete()) {
        accept();
        return;
    }
    // The computer answers each of the player's letters, his own or chance's.
    if (lastPicker_ != Picker::Computer) {
        Add(LetterDraw::ComputerPick(lexicon_), Picker::Computer);
        return;
    }
    StartPlayersTurn();
}

void LettrEnterDialog::Announce(const QString& description) {
    // The field keeps the last letter's description. A screen reader speaks a
    // change in the description of what holds the focus, the dialog (the
    // focus stays on its buttons), and only a change: the same text twice
    // (two E in a row) is cleared in between. Qt sends the
    // description-changed event itself.
    if (accessibleDescription() == description)
        setAccessibleDescription(QString());
    setAccessibleDescription(description);
    Describe(description);
    emit described(description);
}

void LettrEnterDialog::Describe(const QString& text) {
    // A screen reader says the letter drawn (the field's text alone would be
    // read from its start each time). It speaks a change in the description
    // of the focused control only, and the field never has the focus: the
    // button that has it is described too, the other one no longer. The same
    // letter twice is cleared in between, or nothing would have changed.
    field_->setAccessibleDescription(text);
    const QWidget* focus = focusWidget();
    for (QPushButton* button : {vowelButton_, consonantButton_}) {
        const QString wanted = button == focus ? text : QString();
        if (!wanted.isEmpty() && button->accessibleDescription() == wanted)
            button->setAccessibleDescription(QString());
        button->setAccessibleDescription(wanted);
    }
}

void LettrEnterDialog::reject() {}

void LettrEnterDialog::done(int result) {
    if (match_) {
        playersTurn_ = false;
        pickTimer_->stop();
        pauseTimer_->stop();
    }
    CenteredDialog::done(result);
}

void LettrEnterDialog::showEvent(QShowEvent* event) {
    CenteredDialog::showEvent(event);
    // The player's first pick is timed from the dialog's opening.
    if (match_ && !started_) {
        started_ = true;
        StartPlayersTurn();
    }
}

void LettrEnterDialog::keyPressEvent(QKeyEvent* event) {
    // The initials pick too, without Alt.
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::ShiftModifier) {
        if (event->key() == Qt::Key_V) {
            PickVowel();
            return;
        }
        if (event->key() == Qt::Key_C) {
            PickConsonant();
            return;
        }
    }
    CenteredDialog::keyPressEvent(event);
}

void LettrEnterDialog::closeEvent(QCloseEvent* event) {
    // Closed only by completing the draw.
    if (result() != QDialog::Accepted)
        event->ignore();
    else
        CenteredDialog::closeEvent(event);
}

} // namespace lexinum
