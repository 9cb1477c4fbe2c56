// The panes' backgrounds: what each level keeps in each pane's section, the
// patterns of the bitmap library and bitmap files, the hatches of a match,
// the colour and its dialog, the pattern palette and the bitmap file command.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/LevelDialog.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/ButtonPalette.h"
#include "letters/MotWindow.h"
#include "numbers/ChifWindow.h"
#include "presentation/BitmapPalette.h"
#include "presentation/SymbButtonGadget.h"
#include "presentation/ValidEdit.h"
#include "shell/BitmapLibrary.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace lexinum;

namespace {

// The families of hatch lines.
constexpr int kRows = 0;
constexpr int kColumns = 1;
constexpr int kFalling = 2;
constexpr int kRising = 3;

int Mod8(int value) {
    return ((value % 8) + 8) % 8;
}

} // namespace

class BackgroundTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { game_.Reset(); }

    void storedBackgroundOfTrainingIsShown_data();
    void storedBackgroundOfTrainingIsShown();
    void aMatchKeepsTheBackgroundOfItsLevel();
    void withoutTheLibraryPatternsAreBlankedAndFilesStillWork();
    void bitmapFileCommandKeepsThePreviousBackgroundOnAFileThatIsNoBitmap();
    void partialRepaintMatchesAFullOne_data();
    void partialRepaintMatchesAFullOne();
    void hatchFollowsTheLevel_data();
    void hatchFollowsTheLevel();
    void twoPixelsAPointEnlargeTheBackgroundWhole_data();
    void twoPixelsAPointEnlargeTheBackgroundWhole();
    void picturesAreDrawnForTwoPixelsAPoint();
    void colourKeysReadInTheWindowsByteOrder();
    void colourCommandDropsTheBitmapAndKeepsChangedCustomColours();
    void palettePositionFallsBackOnScreen_data();
    void palettePositionFallsBackOnScreen();
    void patternPaletteTogglesAndPutsAPatternBehindTheShownPane();
    void patternPaletteFirstOpensClearOfTheFramesMenus();
    void dialogsOpenTheirHelpTopicWithF1_data();
    void dialogsOpenTheirHelpTopicWithF1();

private:
    void WriteSetting(const char* section, const std::string& key, const std::string& value) {
        Profile settings(game_.IniPath().toStdString());
        QVERIFY(settings.WriteString(section, key, value));
    }
    std::string ReadSetting(const char* section, const std::string& key) {
        Profile settings(game_.IniPath().toStdString());
        return settings.ReadString(section, key, "<absent>", 300);
    }
    std::size_t MessagesWith(const std::string& part) {
        std::size_t count = 0;
        for (const auto& message : game_.Prompts().messages)
            count += message.text.find(part) != std::string::npos ? 1 : 0;
        return count;
    }
    void NewMatch(int level) {
        game_.NewMatch(QStringLiteral("Paul"), level);
        QCOMPARE(game_.App().State().Level(), level);
    }
    // The next file dialog answered with `file`.
    void AnswerFileDialog(const QString& file) {
        game_.OnModal([file](QWidget* window) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Fichier bitmap"));
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept();
        });
    }
    // The background of `pane` over its whole surface.
    static QImage Painted(const BmpViewWindow& pane, const QRect& area, const QImage& under) {
        QImage image = under;
        QPainter painter(&image);
        pane.PaintBackground(painter, area);
        return image;
    }

    test::GameFixture game_;
    QTemporaryDir files_;
    QString bitmapFile_;
    QString textFile_;
    QString pngFile_;
    QString tinyFile_;
    QImage fileImage_;
};

void BackgroundTest::initTestCase() {
    game_.SetUp();
    QVERIFY(files_.isValid());
    // A small bitmap of uneven size, so that the tiles' seams fall anywhere.
    fileImage_ = QImage(13, 7, QImage::Format_RGB32);
    for (int y = 0; y < fileImage_.height(); ++y) {
        for (int x = 0; x < fileImage_.width(); ++x)
            fileImage_.setPixel(x, y, qRgb(x * 19, y * 35, (x * y * 7) % 256));
    }
    QVERIFY(QDir().mkpath(files_.filePath(QStringLiteral("images"))));
    bitmapFile_ = files_.filePath(QStringLiteral("images/fond.bmp"));
    QVERIFY(fileImage_.save(bitmapFile_, "BMP"));
    textFile_ = files_.filePath(QStringLiteral("faux.bmp"));
    QFile text(textFile_);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("pas une image\n");
    text.close();
    // Another kind of image named as a bitmap is no bitmap either.
    pngFile_ = files_.filePath(QStringLiteral("autre.bmp"));
    QVERIFY(fileImage_.save(pngFile_, "PNG"));
    // Three pixels by two: drawn in blocks, still on its own grid.
    tinyFile_ = files_.filePath(QStringLiteral("mini.bmp"));
    QVERIFY(fileImage_.copy(4, 2, 3, 2).save(tinyFile_, "BMP"));
}

void BackgroundTest::storedBackgroundOfTrainingIsShown_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("message");
    QTest::newRow("motif 3") << "*3" << true << QString();
    QTest::newRow("motif 20") << "*20" << true << QString();
    QTest::newRow("motif hors bibliothèque") << "*21" << false << QString();
    QTest::newRow("motif illisible") << "*x" << false << QString();
    QTest::newRow("fichier") << bitmapFile_ << true << QString();
    QTest::newRow("fichier absent") << files_.filePath(QStringLiteral("absent.bmp")) << false
                                    << "Impossible d'ouvrir le fichier bitmap.";
    QTest::newRow("pas une image") << textFile_ << false << "Impossible d'ouvrir le fichier bitmap.";
    QTest::newRow("autre format") << pngFile_ << false << "Impossible d'ouvrir le fichier bitmap.";
    QTest::newRow("vide") << QString() << false << QString();
}

void BackgroundTest::storedBackgroundOfTrainingIsShown() {
    QFETCH(QString, stored);
    QFETCH(bool, shown);
    QFETCH(QString, message);
    WriteSetting("LETTRES", "Bitmap0", stored.toStdString());
    WriteSetting("CHIFFRES", "Bitmap0", stored.toStdString());
    game_.Start();
    MotWindow* letters = game_.App().LettersPane();
    ChifWindow* numbers = game_.App().NumbersPane();
    numbers->EnsureSetUp();
    for (BmpViewWindow* pane : {static_cast<BmpViewWindow*>(letters), static_cast<BmpViewWindow*>(numbers)}) {
        QCOMPARE(pane->HasBitmap(), shown);
        QVERIFY(!pane->Changed());
        if (!shown)
            continue;
        QCOMPARE(pane->FileName(), stored.toStdString());
        QImage expected;
        if (stored.startsWith(QLatin1Char('*'))) {
            const BitmapLibrary& library = game_.App().Bitmaps();
            expected = library.Bitmap(BitmapLibrary::kFirstPattern + stored.mid(1).toInt());
            expected.setColorTable(library.Bitmap(BitmapLibrary::kPaletteBitmap).colorTable());
        } else {
            expected = fileImage_;
        }
        expected = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(pane->Image(), expected);
        // Tiled from the top-left corner: the tile again one tile to the right and down.
        const QImage painted = Painted(*pane, pane->rect(), QImage(pane->size(), QImage::Format_ARGB32_Premultiplied));
        QCOMPARE(painted.copy(QRect(QPoint(0, 0), expected.size())), expected);
        QCOMPARE(painted.copy(QRect(QPoint(expected.width(), expected.height()), expected.size())), expected);
    }
    QCOMPARE(MessagesWith(message.toStdString()), message.isEmpty() ? game_.Prompts().messages.size() : 2u);
    if (message.isEmpty())
        QVERIFY(game_.Prompts().messages.empty());
}

void BackgroundTest::aMatchKeepsTheBackgroundOfItsLevel() {
    WriteSetting("LETTRES", "Bitmap0", "*3");
    WriteSetting("LETTRES", "Bitmap4", bitmapFile_.toStdString());
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    QCOMPARE(pane->FileName(), std::string("*3"));

    // Level 2 keeps nothing: the colour, hatched. A pattern chosen there is
    // written as level 2's when the match ends, and training's comes back.
    NewMatch(2);
    QVERIFY(!pane->HasBitmap());
    QCOMPARE(pane->ShownLevel(), 2);
    QVERIFY(pane->ChoosePattern(5));
    QVERIFY(game_.App().RunCommand(Command::QuitMatch));
    QVERIFY(!game_.App().State().Competition());
    QCOMPARE(ReadSetting("LETTRES", "Bitmap2"), std::string("*5"));
    QCOMPARE(pane->FileName(), std::string("*3"));
    QVERIFY(pane->HasBitmap());
    QCOMPARE(pane->ShownLevel(), 0);

    // Level 4 keeps a file; left unchanged, nothing is written.
    NewMatch(4);
    QCOMPARE(pane->FileName(), bitmapFile_.toStdString());
    QVERIFY(game_.App().RunCommand(Command::QuitMatch));
    QCOMPARE(ReadSetting("LETTRES", "Bitmap4"), bitmapFile_.toStdString());
    QCOMPARE(ReadSetting("LETTRES", "Bitmap0"), std::string("*3"));
    QVERIFY(game_.Prompts().messages.empty());
}

void BackgroundTest::withoutTheLibraryPatternsAreBlankedAndFilesStillWork() {
    TivApp::SetBitmapLibraryPath(files_.filePath(QStringLiteral("absent.rcc")));
    WriteSetting("LETTRES", "Bitmap0", "*3");
    WriteSetting("CHIFFRES", "Bitmap0", bitmapFile_.toStdString());
    game_.Start();
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QCOMPARE(game_.Prompts().messages.front().text,
             std::string("Impossible d'ouvrir la librairie de bitmaps, erreur 2"));
    QCOMPARE(game_.Prompts().messages.front().caption, std::string("Lexinum"));
    MotWindow* letters = game_.App().LettersPane();
    QVERIFY(!letters->HasBitmap());
    QVERIFY(letters->Changed());
    QVERIFY(!letters->ChoosePattern(1));
    ChifWindow* numbers = game_.App().NumbersPane();
    numbers->EnsureSetUp();
    QVERIFY(numbers->HasBitmap());
    QVERIFY(game_.Frame().close());
    QCOMPARE(ReadSetting("LETTRES", "Bitmap0"), std::string());
    QCOMPARE(ReadSetting("CHIFFRES", "Bitmap0"), bitmapFile_.toStdString());
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
}

void BackgroundTest::bitmapFileCommandKeepsThePreviousBackgroundOnAFileThatIsNoBitmap() {
    WriteSetting("LETTRES", "Bitmap0", "*3");
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    TivFrame& frame = game_.Frame();

    AnswerFileDialog(textFile_);
    QVERIFY(game_.App().RunCommand(Command::BitmapFile));
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QCOMPARE(game_.Prompts().messages.front().text,
             std::string("Erreur de fichier:\r\nImpossible d'ouvrir le fichier bitmap."));
    QCOMPARE(game_.Prompts().messages.front().icon, PromptIcon::Exclamation);
    QCOMPARE(pane->FileName(), std::string("*3"));
    QVERIFY(pane->HasBitmap());
    QVERIFY(!pane->Changed());
    QVERIFY(frame.bitmapsFolder.empty());

    AnswerFileDialog(bitmapFile_);
    QVERIFY(game_.App().RunCommand(Command::BitmapFile));
    QCOMPARE(pane->FileName(), bitmapFile_.toStdString());
    QVERIFY(pane->Changed());
    const std::string folder = files_.filePath(QStringLiteral("images")).toStdString();
    QCOMPARE(frame.bitmapsFolder, folder);
    QVERIFY(frame.close());
    QCOMPARE(ReadSetting("LETTRES", "Bitmap0"), bitmapFile_.toStdString());
    QCOMPARE(ReadSetting("GENERAL", "bitmaps"), folder);
}

void BackgroundTest::partialRepaintMatchesAFullOne_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("level");
    QTest::newRow("motif") << "*7" << 0;
    QTest::newRow("fichier") << bitmapFile_ << 0;
    QTest::newRow("fichier minuscule") << tinyFile_ << 0;
    QTest::newRow("couleur") << QString() << 0;
    for (int level = 1; level <= 6; ++level)
        QTest::newRow(qPrintable(QStringLiteral("hachures %1").arg(level))) << QString() << level;
}

void BackgroundTest::partialRepaintMatchesAFullOne() {
    QFETCH(QString, stored);
    QFETCH(int, level);
    WriteSetting("LETTRES", "Bitmap0", stored.toStdString());
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    game_.App().State().SetLevel(level);
    QImage blank(pane->size(), QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::magenta);
    const QImage full = Painted(*pane, pane->rect(), blank);
    // A bitmap lies on its own grid from the top-left corner.
    if (pane->HasBitmap()) {
        const QImage& tile = pane->Image();
        for (int y = 0; y < full.height(); y += 7) {
            for (int x = 0; x < full.width(); x += 5)
                QCOMPARE(full.pixel(x, y), tile.pixel(x % tile.width(), y % tile.height()));
        }
    }
    // Areas whose edges fall inside tiles and hatch cells.
    for (const QRect area : {QRect(37, 29, 61, 45), QRect(1, 3, 5, 2), QRect(200, 111, 13, 90)}) {
        const QImage partial = Painted(*pane, area, blank);
        QCOMPARE(partial.copy(area), full.copy(area));
        // Nothing outside the area is drawn.
        QCOMPARE(partial.pixel(area.left() - 1 < 0 ? area.right() + 1 : area.left() - 1, area.top()),
                 blank.pixel(0, 0));
    }
    game_.App().State().SetLevel(0);
}

void BackgroundTest::hatchFollowsTheLevel_data() {
    // The families of lines each level draws, one line in every 8 pixels:
    // rows (y), columns (x), lines falling from left to right (x - y is
    // constant along them), lines rising from left to right (x + y).
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("families");
    QTest::newRow("1 horizontales") << 1 << QList<int>{kRows};
    QTest::newRow("2 verticales") << 2 << QList<int>{kColumns};
    QTest::newRow("3 descendantes") << 3 << QList<int>{kFalling};
    QTest::newRow("4 montantes") << 4 << QList<int>{kRising};
    QTest::newRow("5 croisillons") << 5 << QList<int>{kRows, kColumns};
    QTest::newRow("6 croisillons diagonaux") << 6 << QList<int>{kFalling, kRising};
}

void BackgroundTest::hatchFollowsTheLevel() {
    QFETCH(int, level);
    QFETCH(QList<int>, families);
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    pane->SetBackgroundColour(Qt::black);
    game_.App().State().SetLevel(level);
    constexpr int kSide = 32;
    const QImage painted = Painted(*pane, QRect(0, 0, kSide, kSide), QImage(kSide, kSide, QImage::Format_RGB32));
    game_.App().State().SetLevel(0);
    const auto black = [&painted](int x, int y) { return painted.pixel(x, y) == qRgb(0, 0, 0); };
    const auto along = [](int family, int x, int y) {
        switch (family) {
        case kRows:
            return Mod8(y);
        case kColumns:
            return Mod8(x);
        case kFalling:
            return Mod8(x - y);
        default:
            return Mod8(x + y);
        }
    };
    // Each family has exactly one whole line in every 8.
    QList<int> lines;
    for (const int family : families) {
        QList<int> whole;
        for (int residue = 0; residue < 8; ++residue) {
            bool all = true;
            for (int y = 0; y < kSide && all; ++y) {
                for (int x = 0; x < kSide && all; ++x)
                    all = along(family, x, y) != residue || black(x, y);
            }
            if (all)
                whole.append(residue);
        }
        QCOMPARE(whole.size(), 1);
        lines.append(whole.front());
    }
    // Nothing else is drawn, and the gaps are white.
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            bool onLine = false;
            for (int i = 0; i < families.size(); ++i)
                onLine = onLine || along(families[i], x, y) == lines[i];
            const QString where = QStringLiteral("%1,%2").arg(x).arg(y);
            QVERIFY2(black(x, y) == onLine, qPrintable(where));
            QVERIFY2(onLine || painted.pixel(x, y) == qRgb(255, 255, 255), qPrintable(where));
        }
    }
}

void BackgroundTest::twoPixelsAPointEnlargeTheBackgroundWhole_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("level");
    QTest::newRow("motif") << "*7" << 0;
    for (int level = 1; level <= 6; ++level)
        QTest::newRow(qPrintable(QStringLiteral("hachures %1").arg(level))) << QString() << level;
}

void BackgroundTest::twoPixelsAPointEnlargeTheBackgroundWhole() {
    // On a screen of two pixels a point, each pixel of the background at one
    // pixel a point becomes a block of 2 by 2: the same size and line weight
    // in points, nothing blurred.
    QFETCH(QString, stored);
    QFETCH(int, level);
    WriteSetting("LETTRES", "Bitmap0", stored.toStdString());
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    pane->SetBackgroundColour(Qt::black);
    game_.App().State().SetLevel(level);
    constexpr int kSide = 40;
    const QRect area(0, 0, kSide, kSide);
    const QImage single = Painted(*pane, area, QImage(kSide, kSide, QImage::Format_ARGB32_Premultiplied));
    QImage twice(2 * kSide, 2 * kSide, QImage::Format_ARGB32_Premultiplied);
    twice.setDevicePixelRatio(2);
    twice = Painted(*pane, area, twice);
    game_.App().State().SetLevel(0);
    for (int y = 0; y < twice.height(); ++y) {
        for (int x = 0; x < twice.width(); ++x)
            QVERIFY2(twice.pixel(x, y) == single.pixel(x / 2, y / 2),
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
}

void BackgroundTest::picturesAreDrawnForTwoPixelsAPoint() {
    // The pictures of the pattern buttons and the eraser's face exist drawn
    // at two pixels a point: such a screen never shows them enlarged.
    game_.Start();
    QVERIFY(game_.App().RunCommand(Command::BitmapPalette));
    BitmapPalette* patterns = game_.Frame().PatternPalette();
    QVERIFY(patterns != nullptr);
    QVERIFY(game_.App().LettersPane()->Palette() != nullptr);
    const QList<QToolButton*> buttons = {patterns->Button(0), patterns->Button(BitmapLibrary::kPatternCount - 1),
                                         game_.App().LettersPane()->Palette()->Gadget(SymbButtonGadget::kEraseId)};
    for (QToolButton* button : buttons) {
        const QPixmap picture = button->icon().pixmap(button->iconSize(), 2.0);
        QCOMPARE(picture.size(), button->iconSize() * 2);
        QCOMPARE(picture.devicePixelRatio(), 2.0);
    }
    // A pattern's picture is its pattern, each pixel a block of 2 by 2.
    const QImage one = patterns->Button(0)->icon().pixmap(patterns->Button(0)->iconSize(), 1.0).toImage();
    const QImage two = patterns->Button(0)->icon().pixmap(patterns->Button(0)->iconSize(), 2.0).toImage();
    for (int y = 0; y < two.height(); ++y) {
        for (int x = 0; x < two.width(); ++x)
            QVERIFY2(two.pixel(x, y) == one.pixel(x / 2, y / 2), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
}

void BackgroundTest::colourKeysReadInTheWindowsByteOrder() {
    WriteSetting("LETTRES", "Couleur", "FF");
    WriteSetting("CHIFFRES", "Couleur", "FF0000");
    game_.Start();
    MotWindow* letters = game_.App().LettersPane();
    ChifWindow* numbers = game_.App().NumbersPane();
    numbers->EnsureSetUp();
    QCOMPARE(letters->BackgroundColour(), QColor(255, 0, 0));
    QCOMPARE(numbers->BackgroundColour(), QColor(0, 0, 255));
    // Solid outside a match.
    const QImage painted = Painted(*letters, QRect(0, 0, 8, 8), QImage(8, 8, QImage::Format_RGB32));
    QCOMPARE(painted.pixel(3, 5), qRgb(255, 0, 0));
    QVERIFY(game_.Frame().close());
    QCOMPARE(ReadSetting("LETTRES", "Couleur"), std::string("FF"));
    QCOMPARE(ReadSetting("CHIFFRES", "Couleur"), std::string("FF0000"));
}

void BackgroundTest::colourCommandDropsTheBitmapAndKeepsChangedCustomColours() {
    WriteSetting("LETTRES", "Bitmap0", "*3");
    WriteSetting("LETTRES", "Couleur", "C0C0C0");
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    const QString control = QFileInfo(game_.IniPath()).dir().filePath(QStringLiteral("control.ini"));
    const auto customColours = [&control] {
        Profile file(control.toStdString());
        QStringList kept;
        for (char slot = 'A'; slot <= 'P'; ++slot) {
            const std::string key = std::string("Color") + slot;
            const std::string value = file.ReadString("Custom Colors", key, "", 20);
            if (!value.empty())
                kept.append(QString::fromStdString(key + "=" + value));
        }
        return kept;
    };
    // Custom colours kept by an earlier session are offered in the dialog.
    {
        Profile file(control.toStdString());
        QVERIFY(file.WriteString("Custom Colors", "ColorB", "FF"));
    }

    // Given up: the pane stays as it was; the custom colour edited is kept, alone.
    game_.OnModal([](QWidget* window) {
        auto* dialog = qobject_cast<QColorDialog*>(window);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->currentColor(), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(QColorDialog::customColor(1), QColor(255, 0, 0));
        QColorDialog::setCustomColor(4, QColor(3, 2, 1));
        dialog->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::Colours));
    QVERIFY(pane->HasBitmap());
    QVERIFY(!pane->Changed());
    QCOMPARE(customColours(), (QStringList{QStringLiteral("ColorB=FF"), QStringLiteral("ColorE=10203")}));

    // Chosen: the plain colour replaces the pattern at once, and the level
    // keeps the colour.
    game_.OnModal([](QWidget* window) {
        auto* dialog = qobject_cast<QColorDialog*>(window);
        QVERIFY(dialog != nullptr);
        dialog->setCurrentColor(QColor(0, 128, 0));
        dialog->accept();
    });
    QVERIFY(game_.App().RunCommand(Command::Colours));
    QVERIFY(!pane->HasBitmap());
    QVERIFY(pane->Changed());
    QCOMPARE(pane->BackgroundColour(), QColor(0, 128, 0));
    QCOMPARE(customColours().size(), 2);
    QVERIFY(game_.Frame().close());
    QCOMPARE(ReadSetting("LETTRES", "Bitmap0"), std::string());
    QCOMPARE(ReadSetting("LETTRES", "Couleur"), std::string("8000"));
}

void BackgroundTest::palettePositionFallsBackOnScreen_data() {
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("sur l'écran") << "100"
                                 << "200" << QPoint(100, 200);
    QTest::newRow("trop à droite") << "5000"
                                   << "10" << QPoint(0, 10);
    QTest::newRow("trop bas") << "10"
                              << "5000" << QPoint(10, 0);
    QTest::newRow("négatif") << "-30"
                             << "20" << QPoint(0, 20);
    QTest::newRow("absent") << QString() << QString() << QPoint(0, 0);
}

void BackgroundTest::palettePositionFallsBackOnScreen() {
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QPoint, place);
    Profile settings(files_.filePath(QStringLiteral("position.ini")).toStdString());
    QVERIFY(settings.WriteString("GENERAL", "bitmaps x", x.toStdString()));
    QVERIFY(settings.WriteString("GENERAL", "bitmaps y", y.toStdString()));
    QCOMPARE(BitmapPalette::SavedPosition(settings, QSize(1024, 768)), place);
}

void BackgroundTest::dialogsOpenTheirHelpTopicWithF1_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("topic");
    QTest::newRow("couleurs") << CommandNumber(Command::Colours) << 270;
    QTest::newRow("fichier bitmap") << CommandNumber(Command::BitmapFile) << 271;
    QTest::newRow("reprendre une partie") << CommandNumber(Command::ResumeMatch) << 318;
}

void BackgroundTest::dialogsOpenTheirHelpTopicWithF1() {
    QFETCH(int, command);
    QFETCH(int, topic);
    game_.Start();
    game_.OnModal([](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_F1);
        static_cast<QDialog*>(modal)->reject();
    });
    QVERIFY(game_.App().RunCommand(static_cast<Command>(command)));
    QCOMPARE(game_.HelpTopicsOpened(), std::vector<int>{topic});
}

void BackgroundTest::patternPaletteFirstOpensClearOfTheFramesMenus() {
    game_.Start();
    TivFrame& frame = game_.Frame();
    frame.move(0, 0);
    QVERIFY(game_.App().RunCommand(Command::BitmapPalette));
    const QRect palette = frame.PatternPalette()->frameGeometry();
    QVERIFY(!palette.intersects(frame.menuBar()->geometry().translated(frame.geometry().topLeft())));
}

void BackgroundTest::patternPaletteTogglesAndPutsAPatternBehindTheShownPane() {
    WriteSetting("GENERAL", "bitmaps x", "5000");
    WriteSetting("GENERAL", "bitmaps y", "40");
    game_.Start();
    TivFrame& frame = game_.Frame();
    QVERIFY(game_.App().RunCommand(Command::BitmapPalette));
    BitmapPalette* palette = frame.PatternPalette();
    QVERIFY(palette != nullptr);
    QVERIFY(palette->isVisible());
    QVERIFY(frame.FindMenuItem(Command::BitmapPalette)->isChecked());
    QCOMPARE(palette->findChildren<QToolButton*>().size(), 21);
    QCOMPARE(game_.AccessibleName(palette->Button(3)), QStringLiteral("Motif 3"));
    // 7 per row.
    QCOMPARE(palette->Button(7)->x(), palette->Button(0)->x());
    QVERIFY(palette->Button(7)->y() > palette->Button(0)->y());
    QCOMPARE(palette->Button(6)->y(), palette->Button(0)->y());

    // The numbers pane shown: the pattern goes behind it, not the letters pane.
    QVERIFY(game_.App().RunCommand(Command::PlayNumbers));
    ChifWindow* numbers = game_.App().NumbersPane();
    QTest::mouseClick(palette->Button(3), Qt::LeftButton);
    QCOMPARE(numbers->FileName(), std::string("*3"));
    QVERIFY(numbers->Changed());
    QVERIFY(!game_.App().LettersPane()->HasBitmap());

    const QPoint shownAt = palette->frameGeometry().topLeft();
    QVERIFY(game_.App().RunCommand(Command::BitmapPalette));
    QVERIFY(frame.PatternPalette() == nullptr);
    QVERIFY(!frame.FindMenuItem(Command::BitmapPalette)->isChecked());
    QCOMPARE(ReadSetting("GENERAL", "bitmaps x"), std::to_string(shownAt.x()));
    QCOMPARE(ReadSetting("GENERAL", "bitmaps y"), std::to_string(shownAt.y()));

    // Its close box hides it too; shown when the game closes, it keeps its place then.
    QVERIFY(game_.App().RunCommand(Command::BitmapPalette));
    QVERIFY(frame.PatternPalette()->close() == false);
    QVERIFY(frame.PatternPalette() == nullptr);
    QVERIFY(!game_.App().State().BitmapPaletteShown());
    WriteSetting("GENERAL", "bitmaps x", "7");
    QVERIFY(game_.App().RunCommand(Command::BitmapPalette));
    const QPoint lastAt = frame.PatternPalette()->frameGeometry().topLeft();
    QVERIFY(frame.close());
    QCOMPARE(ReadSetting("GENERAL", "bitmaps x"), std::to_string(lastAt.x()));
    QVERIFY(game_.Prompts().messages.empty());
}

LEXINUM_GUI_TEST(BackgroundTest)
#include "BackgroundTest.moc"
