#include "numbers/ChifEnterDialog.h"

#include "core/numbers/NumberRules.h"
#include "presentation/Bell.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"
#include "shell/TimerPeriods.h"

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace lexinum {

namespace {

// What a push button needs around its text, in pixels (its frame and margins).
constexpr int kButtonPadding = 4;
// Pixels kept free on each side of a number button's label.
constexpr int kLabelSpare = 2;
// The smallest type a number button's label shrinks to, in pixels.
constexpr int kSmallestNumberPixels = 6;
// The calculation box's type shrinks to keep a line on one line, down to two
// thirds of its size but not below this, in pixels; beyond that a line wraps.
constexpr int kSmallestCalculationPixels = 8;

// What a screen reader says for each operation button.
constexpr std::array<const char*, Calculation::kOperationCount> kOperationNames = {"plus", "moins", "multiplié par",
                                                                                   "divisé par"};

// `font`, or the same face smaller if a button `height` pixels high cannot show it whole.
QFont FontFitting(const QFont& font, int height) {
    const int room = std::max(1, height - kButtonPadding);
    if (QFontMetrics(font).height() <= room)
        return font;
    return GameFonts::OfCellHeight(font.family(), font.styleHint(), room, static_cast<QFont::Weight>(font.weight()));
}

// `font`, or the same face smaller, down to `smallest` pixels, until each of
// `lines` is at most `width` pixels wide.
QFont FontFittingWidth(const QFont& font, const QStringList& lines, int width, int smallest) {
    const auto widest = [&lines](const QFont& candidate) {
        const QFontMetricsF metrics(candidate);
        qreal most = 0;
        for (const QString& line : lines)
            most = std::max(most, metrics.horizontalAdvance(line));
        return most;
    };
    QFont fitted = font;
    int pixels = fitted.pixelSize() > 0 ? fitted.pixelSize() : QFontInfo(fitted).pixelSize();
    while (pixels > smallest && widest(fitted) > width) {
        --pixels;
        fitted.setPixelSize(pixels);
    }
    return fitted;
}

// The room a push button gives its label, in pixels.
int LabelWidth(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.features = button->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width() - 2 * kLabelSpare;
}

QPushButton* MakeButton(const QString& label, QWidget* parent) {
    auto* button = new QPushButton(label, parent);
    button->setAutoDefault(true);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

ChifEnterDialog::Places ChifEnterDialog::PlacesFor(QSize size) {
    const int W = size.width();
    const int H = size.height();
    const int m = W / 20;
    const int n = H / 20;
    Places places;
    const int bw = (W - 4 * m) / 3;
    const int bh = (H / 2 - 4 * n) / 3;
    for (int i = 0; i < Calculation::kNumberCount; ++i)
        places.numbers[static_cast<std::size_t>(i)] = QRect((i % 3) * (bw + m) + m, (i / 3) * 2 * (bh + n) + n, bw, bh);
    const int ow = (W - 5 * m) / 4;
    for (int j = 0; j < Calculation::kOperationCount; ++j)
        places.operations[static_cast<std::size_t>(j)] =
            QRect((3 * bw - m - 4 * ow) / 2 + m + j * (ow + m), bh + 2 * n, ow, bh);
    places.calculation = QRect(m, H / 2, W / 2, H / 2 - n);
    const int hb = (H / 2 - 4 * n) / 4;
    for (int k = 0; k < 4; ++k)
        places.pushButtons[static_cast<std::size_t>(k)] =
            QRect(W / 2 + 2 * m, H / 2 + k * (hb + n), W - W / 2 - 3 * m, hb);
    return places;
}

ChifEnterDialog::ChifEnterDialog(QWidget* parent, AppServices& app, Calculation& answer,
                                 const std::array<int, Calculation::kNumberCount>& numbers, int target,
                                 const QRect& screenRect)
    : OverResultsDialog(parent, app, kHelpTopic, screenRect, {kSeconds, app.Periods().calculationAnswer}),
      answer_(answer) {
    setAccessibleName(QStringLiteral("Votre calcul"));

    for (int i = 0; i < Calculation::kNumberCount; ++i) {
        QPushButton* button = MakeButton(QString(), this);
        connect(button, &QPushButton::clicked, this, [this, i] { ClickNumber(i); });
        numberButtons_[static_cast<std::size_t>(i)] = button;
    }
    for (int j = 0; j < Calculation::kOperationCount; ++j) {
        QPushButton* button = MakeButton(QString::fromStdString(Calculation::OperationButtonText(j)), this);
        button->setAccessibleName(QString::fromUtf8(kOperationNames[static_cast<std::size_t>(j)]));
        connect(button, &QPushButton::clicked, this, [this, j] { ClickOperation(j); });
        operationButtons_[static_cast<std::size_t>(j)] = button;
    }
    calculationBox_ = new QPlainTextEdit(this);
    calculationBox_->setReadOnly(true);
    calculationBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    calculationBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    calculationBox_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    calculationBox_->setFocusPolicy(Qt::ClickFocus);
    calculationBox_->setTabChangesFocus(true);
    calculationBox_->setAccessibleName(QStringLiteral("Calcul"));
    okButton_ = MakeButton(QStringLiteral("O&K"), this);
    eraseLineButton_ = MakeButton(QStringLiteral("Eff &Ligne"), this);
    eraseAllButton_ = MakeButton(QStringLiteral("E&ffacer"), this);
    cancelButton_ = MakeButton(QStringLiteral("Annuler"), this);
    connect(okButton_, &QPushButton::clicked, this, &ChifEnterDialog::accept);
    connect(eraseLineButton_, &QPushButton::clicked, this, &ChifEnterDialog::EraseLine);
    connect(eraseAllButton_, &QPushButton::clicked, this, &ChifEnterDialog::EraseAll);
    connect(cancelButton_, &QPushButton::clicked, this, &ChifEnterDialog::reject);

    // Tab order: the numbers, the operations, then the four push buttons.
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (previous != nullptr)
            setTabOrder(previous, next);
        previous = next;
    };
    for (QPushButton* button : numberButtons_)
        chain(button);
    for (QPushButton* button : operationButtons_)
        chain(button);
    for (QPushButton* button : {okButton_, eraseLineButton_, eraseAllButton_, cancelButton_})
        chain(button);

    const Places places = PlacesFor(screenRect.size());
    for (int i = 0; i < Calculation::kNumberCount; ++i)
        numberButtons_[static_cast<std::size_t>(i)]->setGeometry(places.numbers[static_cast<std::size_t>(i)]);
    for (int j = 0; j < Calculation::kOperationCount; ++j)
        operationButtons_[static_cast<std::size_t>(j)]->setGeometry(places.operations[static_cast<std::size_t>(j)]);
    calculationBox_->setGeometry(places.calculation);
    const std::array<QPushButton*, 4> pushButtons{okButton_, eraseLineButton_, eraseAllButton_, cancelButton_};
    for (std::size_t k = 0; k < pushButtons.size(); ++k)
        pushButtons[k]->setGeometry(places.pushButtons[k]);
    // The buttons' font, made smaller only where the computed buttons are
    // too low to show it whole (a small results box).
    const QFont& buttonFont = app.Fonts().buttonFont;
    numbersFont_ = FontFitting(buttonFont, places.numbers[0].height());
    calculationFont_ = FontFitting(buttonFont, places.pushButtons[0].height());
    for (QPushButton* button : numberButtons_)
        button->setFont(numbersFont_);
    for (QPushButton* button : operationButtons_)
        button->setFont(numbersFont_);
    for (QPushButton* button : pushButtons)
        button->setFont(calculationFont_);
    calculationBox_->setFont(calculationFont_);

    answer_.Setup(numbers, target);
    Refresh(true);
}

void ChifEnterDialog::Refresh(bool moveFocus) {
    for (int i = 0; i < Calculation::kNumberCount; ++i) {
        QPushButton* button = numberButtons_[static_cast<std::size_t>(i)];
        const QString text = QString::fromStdString(answer_.ButtonText(i));
        button->setText(text);
        button->setAccessibleName(text);
        // A number too wide for the buttons' type is shown smaller, whole.
        button->setFont(FontFittingWidth(numbersFont_, {text}, LabelWidth(button), kSmallestNumberPixels));
        if (answer_.ButtonShown(i))
            button->setVisible(true);
    }
    QString calculation = QString::fromStdString(answer_.CalculationText());
    calculation.remove(QLatin1Char('\r'));
    // Smaller type keeps each line on one line while it stays readable; a
    // line too long even then wraps and leaves the type to the others.
    const int width = CalculationLineWidth();
    QFont smallest = calculationFont_;
    smallest.setPixelSize(std::max(kSmallestCalculationPixels, QFontInfo(calculationFont_).pixelSize() * 2 / 3));
    const QFontMetricsF smallestMetrics(smallest);
    QStringList lines = calculation.split(QLatin1Char('\n'));
    lines.removeIf([&](const QString& line) { return smallestMetrics.horizontalAdvance(line) > width; });
    calculationBox_->setFont(FontFittingWidth(calculationFont_, lines, width, smallest.pixelSize()));
    calculationBox_->setPlainText(calculation);
    calculationBox_->moveCursor(QTextCursor::End);
    calculationBox_->ensureCursorVisible();
    if (moveFocus) {
        const int focus = answer_.FocusedButton();
        QPushButton* next =
            focus < Calculation::kFirstOperationButton
                ? numberButtons_[static_cast<std::size_t>(focus)]
                : operationButtons_[static_cast<std::size_t>(focus - Calculation::kFirstOperationButton)];
        if (next->isVisible() || !isVisible())
            next->setFocus(Qt::OtherFocusReason);
    }
    // The used numbers are hidden once the focus has left them: a button
    // hidden with the focus hands it to the next one first, which a screen
    // reader would announce for nothing.
    for (int i = 0; i < Calculation::kNumberCount; ++i)
        if (!answer_.ButtonShown(i))
            numberButtons_[static_cast<std::size_t>(i)]->setVisible(false);
}

int ChifEnterDialog::CalculationLineWidth() const {
    // The box's own size (it may not be shown yet): its frame, its scroll bar
    // (always there) and the document's margins around the lines.
    const int margins = static_cast<int>(std::ceil(2 * calculationBox_->document()->documentMargin()));
    return calculationBox_->width() - 2 * calculationBox_->frameWidth() -
           calculationBox_->verticalScrollBar()->sizeHint().width() - margins - 1;
}

void ChifEnterDialog::Answered(Calculation::Refusal reason) {
    if (reason == Calculation::Refusal::None) {
        // The reason told last is no longer true.
        if (!accessibleDescription().isEmpty())
            Describe(QString());
        return;
    }
    Bell::Ring();
    emit refused(reason);
    // A screen reader hears why, the focus staying where it is: a reader
    // speaks a change in the description of the focused control (not of the
    // dialog that holds it). It speaks only a change, so the same reason
    // twice is cleared in between.
    if (!App().ScreenReaderActive())
        return;
    const QString text = QString::fromStdString(Calculation::RefusalText(reason));
    if (accessibleDescription() == text)
        Describe(QString());
    Describe(text);
}

void ChifEnterDialog::Describe(const QString& text) {
    // Qt sends assistive technology the description-change event itself. The
    // dialog and the control holding the focus both carry the reason; a
    // control that carried one before is cleared, so that it does not tell
    // an old reason when it gets the focus again.
    setAccessibleDescription(text);
    if (describedControl_ != nullptr)
        describedControl_->setAccessibleDescription(QString());
    describedControl_ = nullptr;
    if (QWidget* focus = focusWidget(); !text.isEmpty() && focus != nullptr && focus != this) {
        focus->setAccessibleDescription(text);
        describedControl_ = focus;
    }
    emit described(text);
}

void ChifEnterDialog::ClickNumber(int index) {
    typedDigits_.clear();
    const Calculation::Refusal reason = answer_.ClickNumber(index);
    Refresh(true);
    Answered(reason);
}

void ChifEnterDialog::ClickOperation(int j) {
    typedDigits_.clear();
    const Calculation::Refusal reason = answer_.ClickOperation(Calculation::OperationOfButton(j));
    Refresh(true);
    Answered(reason);
}

void ChifEnterDialog::EraseLine() {
    typedDigits_.clear();
    // With nothing to erase, nothing happens.
    if (answer_.EraseLine()) {
        Refresh(true);
        Answered(Calculation::Refusal::None);
    }
}

void ChifEnterDialog::EraseAll() {
    typedDigits_.clear();
    answer_.EraseAll();
    Refresh(true);
    Answered(Calculation::Refusal::None);
}

void ChifEnterDialog::accept() {
    answer_.Accept();
    OverResultsDialog::accept();
}

void ChifEnterDialog::reject() {
    answer_.Cancel();
    OverResultsDialog::reject();
}

void ChifEnterDialog::TypeDigit(QChar digit) {
    // The shown number buttons whose text begins with `typed`; the first one
    // whose text is exactly `typed` goes to `exact`.
    const auto matches = [this](const QString& typed, int& exact) {
        int count = 0;
        exact = -1;
        for (int i = 0; i < Calculation::kNumberCount; ++i) {
            if (!answer_.ButtonShown(i))
                continue;
            const QString text = QString::fromStdString(answer_.ButtonText(i));
            if (!text.startsWith(typed))
                continue;
            ++count;
            if (exact < 0 && text == typed)
                exact = i;
        }
        return count;
    };
    int exact = -1;
    QString typed = typedDigits_ + digit;
    if (matches(typed, exact) == 0) {
        typed = QString(digit);
        if (matches(typed, exact) == 0) {
            typedDigits_.clear();
            Answered(Calculation::Refusal::UnknownButton);
            return;
        }
    }
    typedDigits_ = typed;
    // Picked at once unless a longer number still begins with what was typed
    // ("1" while "10" is shown): then the focus waits on the first match.
    bool longer = false;
    int first = -1;
    for (int i = 0; i < Calculation::kNumberCount; ++i) {
        if (!answer_.ButtonShown(i))
            continue;
        const QString text = QString::fromStdString(answer_.ButtonText(i));
        if (!text.startsWith(typed))
            continue;
        if (first < 0)
            first = i;
        longer = longer || text != typed;
    }
    if (exact >= 0 && !longer) {
        ClickNumber(exact);
        return;
    }
    numberButtons_[static_cast<std::size_t>(exact >= 0 ? exact : first)]->setFocus(Qt::ShortcutFocusReason);
}

void ChifEnterDialog::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && text.size() == 1) {
        const QChar c = text.at(0);
        if (c.isDigit() && c.unicode() < 128) {
            TypeDigit(c);
            return;
        }
        const char typed = c == QLatin1Char('*') ? 'x' : c.toLatin1();
        if (const int operation = NumberRules::OperationOfTyped(typed); operation != 0) {
            for (int j = 0; j < Calculation::kOperationCount; ++j)
                if (Calculation::OperationOfButton(j) == operation)
                    ClickOperation(j);
            return;
        }
    }
    if (event->key() == Qt::Key_Backspace && plain) {
        EraseLine();
        return;
    }
    typedDigits_.clear();
    HookDialog::keyPressEvent(event);
}

} // namespace lexinum
