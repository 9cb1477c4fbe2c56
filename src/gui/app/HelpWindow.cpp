#include "app/HelpWindow.h"

#include "common/Profile.h"
#include "presentation/Bell.h"
#include "shell/HelpTopic.h"
#include "shell/SettingsKeys.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <array>
#include <utility>

// The pages live in the program's resources, built into a static library:
// they are registered by hand, once, before the first page is shown.
static void RegisterHelpPages() {
    Q_INIT_RESOURCE(lexinum);
}

namespace lexinum {

namespace {

constexpr int kDefaultWidth = 620;
constexpr int kDefaultHeight = 560;
constexpr int kSmallest = 200;
constexpr int kLargest = 20000;

// Each topic's page, in one place.
constexpr std::array<std::pair<HelpTopic, const char*>, 20> kPages{{
    {HelpTopic::Contents, "sommaire.html"},
    {HelpTopic::UsingHelp, "aide.html"},
    {HelpTopic::TopTen, "dialogues.html#meilleurs"},
    {HelpTopic::LettersTraining, "lettres.html"},
    {HelpTopic::LettersMatch, "lettres.html#partie"},
    {HelpTopic::LetterEntry, "dialogues.html#tirage"},
    {HelpTopic::LettersOptions, "dialogues.html#options-lettres"},
    {HelpTopic::NumbersTraining, "chiffres.html"},
    {HelpTopic::NumbersMatch, "chiffres.html#partie"},
    {HelpTopic::CalculationEntry, "dialogues.html#calcul"},
    {HelpTopic::NumbersOptions, "dialogues.html#options-chiffres"},
    {HelpTopic::Colours, "dialogues.html#couleurs"},
    {HelpTopic::BitmapFile, "dialogues.html#bitmap"},
    {HelpTopic::Fonts, "dialogues.html#polices"},
    {HelpTopic::AddWords, "dialogues.html#ajouter"},
    {HelpTopic::RemoveWords, "dialogues.html#supprimer"},
    {HelpTopic::Lexicon, "dialogues.html#lexique"},
    {HelpTopic::NewMatch, "dialogues.html#nouvelle"},
    {HelpTopic::ResumeMatch, "dialogues.html#rouvrir"},
    {HelpTopic::SaveMatchAs, "dialogues.html#enregistrer"},
}};

QPushButton* Button(const QString& label, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(label, parent);
    button->setAccessibleName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

HelpWindow::HelpWindow(Profile& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), home_(parent) {
    RegisterHelpPages();
    setWindowTitle(QStringLiteral("Aide de Lexinum"));
    setAccessibleName(QStringLiteral("Aide de Lexinum"));

    contents_ = Button(QStringLiteral("&Sommaire"), QStringLiteral("Sommaire"), this);
    back_ = Button(QStringLiteral("&Précédent"), QStringLiteral("Précédent"), this);
    forward_ = Button(QStringLiteral("S&uivant"), QStringLiteral("Suivant"), this);
    print_ = Button(QStringLiteral("&Imprimer"), QStringLiteral("Imprimer"), this);
    auto* searchLabel = new QLabel(QStringLiteral("&Rechercher :"), this);
    search_ = new QLineEdit(this);
    search_->setAccessibleName(QStringLiteral("Rechercher"));
    search_->setAccessibleDescription(
        QStringLiteral("Entrée : occurrence suivante ; Maj+Entrée : occurrence précédente"));
    searchLabel->setBuddy(search_);
    searchNote_ = new QLabel(this);
    searchNote_->setAccessibleName(QStringLiteral("Résultat de la recherche"));

    browser_ = new QTextBrowser(this);
    browser_->setAccessibleName(QStringLiteral("Page d'aide"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);

    auto* bar = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(contents_), static_cast<QWidget*>(back_),
                            static_cast<QWidget*>(forward_), static_cast<QWidget*>(print_)})
        bar->addWidget(widget);
    bar->addSpacing(12);
    bar->addWidget(searchLabel);
    bar->addWidget(search_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(searchNote_);
    layout->addWidget(browser_, 1);
    searchNote_->hide();

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(contents_, &QPushButton::clicked, this,
            [this] { browser_->setSource(PageFor(TopicNumber(HelpTopic::Contents))); });
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(print_, &QPushButton::clicked, this, &HelpWindow::Print);
    connect(search_, &QLineEdit::returnPressed, this,
            [this] { Find(search_->text(), QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier)); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { searchNote_->hide(); });

    // Ctrl+F goes to the search field, F3 and Shift+F3 look again, Escape closes.
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    });
    auto* next = new QShortcut(QKeySequence::FindNext, this);
    connect(next, &QShortcut::activated, this, [this] { Find(search_->text()); });
    auto* previous = new QShortcut(QKeySequence::FindPrevious, this);
    connect(previous, &QShortcut::activated, this, [this] { Find(search_->text(), true); });
    // F1 in the help window is help on the help window.
    auto* onHelp = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(onHelp, &QShortcut::activated, this,
            [this] { browser_->setSource(PageFor(TopicNumber(HelpTopic::UsingHelp))); });
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    setTabOrder(contents_, back_);
    setTabOrder(back_, forward_);
    setTabOrder(forward_, print_);
    setTabOrder(print_, search_);
    setTabOrder(search_, browser_);

    resize(settings_.ReadIntInRange(keys::kGeneral, keys::kHelpWidth, kDefaultWidth, kSmallest, kLargest),
           settings_.ReadIntInRange(keys::kGeneral, keys::kHelpHeight, kDefaultHeight, kSmallest, kLargest));
    browser_->setSource(PageFor(TopicNumber(HelpTopic::Contents)));
}

HelpWindow::~HelpWindow() {
    if (borrowedParent_ != nullptr)
        borrowedParent_->removeEventFilter(this);
}

QUrl HelpWindow::PageFor(int topic) {
    for (const auto& [pageTopic, page] : kPages)
        if (TopicNumber(pageTopic) == topic)
            return QUrl(QStringLiteral("qrc:/aide/") + QString::fromLatin1(page));
    return {};
}

std::vector<int> HelpWindow::Topics() {
    std::vector<int> topics;
    for (const auto& entry : kPages)
        topics.push_back(TopicNumber(entry.first));
    return topics;
}

void HelpWindow::ShowTopic(int topic) {
    QUrl page = PageFor(topic);
    if (page.isEmpty())
        page = PageFor(TopicNumber(HelpTopic::Contents));
    browser_->setSource(page);
    if (!placed_) {
        PlaceBesideHome();
        placed_ = true;
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    FollowModalDialog();
    raise();
    activateWindow();
    browser_->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::PlaceBesideHome() {
    QScreen* screen = home_ != nullptr ? home_->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect room = screen->availableGeometry();
    QSize size = this->size().boundedTo(room.size());
    resize(size);
    QPoint place = room.topLeft();
    if (home_ != nullptr) {
        // On the right of the game if it fits there, otherwise against the
        // screen's right edge, level with the game.
        const QRect game = home_->frameGeometry();
        place = QPoint(game.right() + 1, game.top());
        if (place.x() + size.width() > room.right() + 1)
            place.setX(room.right() + 1 - size.width());
    }
    place.setX(std::clamp(place.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
    place.setY(std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
    move(place);
}

void HelpWindow::FollowModalDialog() {
    // A dialog in progress blocks every window that is not its own: the help
    // window is made a window of the dialog for as long as it stays open, so
    // that it can be read, scrolled and searched beside it.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == this || modal == borrowedParent_)
        return;
    if (borrowedParent_ != nullptr)
        borrowedParent_->removeEventFilter(this);
    borrowedParent_ = modal;
    modal->installEventFilter(this);
    if (windowHandle() != nullptr && modal->windowHandle() != nullptr)
        windowHandle()->setTransientParent(modal->windowHandle());
}

void HelpWindow::ComeBackHome() {
    if (borrowedParent_ != nullptr)
        borrowedParent_->removeEventFilter(this);
    borrowedParent_ = nullptr;
    // A dialog still open under the one that closed keeps the window usable.
    if (QApplication::activeModalWidget() != nullptr && QApplication::activeModalWidget() != this) {
        FollowModalDialog();
        return;
    }
    if (windowHandle() != nullptr && home_ != nullptr && home_->windowHandle() != nullptr)
        windowHandle()->setTransientParent(home_->windowHandle());
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == borrowedParent_ && event->type() == QEvent::Hide)
        ComeBackHome();
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        SaveSize();
    QWidget::hideEvent(event);
}

void HelpWindow::SaveSize() {
    // A maximized window keeps the size it comes back to.
    const QSize kept = isMaximized() || isFullScreen() ? normalGeometry().size() : size();
    if (!kept.isValid())
        return;
    settings_.WriteStrings(keys::kGeneral, {{keys::kHelpWidth, std::to_string(kept.width())},
                                            {keys::kHelpHeight, std::to_string(kept.height())}});
}

bool HelpWindow::Find(const QString& text, bool backward) {
    searchNote_->hide();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags))
        return true;
    // Round once from the other end of the page.
    QTextCursor cursor = browser_->textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(cursor);
    if (browser_->find(text, flags))
        return true;
    searchNote_->setText(QStringLiteral("« %1 » ne figure pas dans cette page.").arg(text));
    searchNote_->show();
    Bell::Ring();
    return false;
}

void HelpWindow::Print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimer la page d'aide"));
    if (dialog.exec() == QDialog::Accepted)
        browser_->print(&printer);
}

} // namespace lexinum
