#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace lexinum {

class Profile;

// The game's help: French pages bundled with the program, shown in a window
// that stays open beside the game ("Aide de Lexinum"). Each help topic opens
// its page (or a place in one); the window has the contents, back and
// forward, printing and a search in the page. Asked again, the same window
// comes forward on the new page. Its size is kept in the settings.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // `parent` is the game's frame: the window is its own top-level window
    // and goes with the frame.
    HelpWindow(Profile& settings, QWidget* parent);
    ~HelpWindow() override;
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    // The page of a topic ("qrc:/aide/lettres.html#partie"); empty for a
    // number no page answers.
    static QUrl PageFor(int topic);
    // Every topic that has a page.
    static std::vector<int> Topics();

    // Opens the page of `topic` (the contents for a number without a page)
    // and brings the window forward, above a dialog in progress if one is.
    void ShowTopic(int topic);
    // Writes the window's size to the settings.
    void SaveSize();

    // The page shown and its reader (tests and printing read them).
    QTextBrowser* Browser() const { return browser_; }
    // Looks for `text` in the page from the cursor on (backwards if asked),
    // going round once; false, with a beep, when the page does not hold it.
    bool Find(const QString& text, bool backward = false);

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Print();
    void FollowModalDialog();
    void ComeBackHome();
    void PlaceBesideHome();

    Profile& settings_;
    QPointer<QWidget> home_;
    QPointer<QWidget> borrowedParent_;
    bool placed_ = false;
    QTextBrowser* browser_ = nullptr;
    QPushButton* contents_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* print_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* searchNote_ = nullptr;
};

} // namespace lexinum
