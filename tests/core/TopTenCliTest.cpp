// lexinum-cli topten: the lists as the dialog shows them, JSON, the game's
// own file by default, and a damaged file refused.
#include "match/ScrambledLine.h"
#include "match/TopTen.h"

#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace lexinum {
namespace {

TEST(TopTenCli, ListsJsonDefaultFileAndDamage) {
    test::TempFolder data;
    const std::string file =
        data.Write("topten", ScrambledLine::Scramble("@1\r\n@2\r\nZo\xe9 2 0 5 2 1999 9 7\r\nLuc 0 2\r\n@3\r\n@4\r\n"
                                                     "@5\r\n@6\r\n@7\r\n"))
            .string();
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string err; // part of the error stream
    };
    const Case cases[] = {
        {{"topten", file, "--level", "2"},
         0,
         "Ordinateur battu par:\nZoé\t2 à 0\tle 05/03/1999 à 09h07\n\nOrdinateur gagnant contre:\nLuc\t2 à 0\n",
         ""},
        {{"topten", file},
         0,
         "1: débutant\n\n2: écolier\nOrdinateur battu par:\nZoé\t2 à 0\tle 05/03/1999 à 09h07\n\n"
         "Ordinateur gagnant contre:\nLuc\t2 à 0\n\n3: dilettante\n\n4: amateur\n\n5: expert\n\n6: imbattable\n",
         ""},
        {{"topten", "--json", "--level", "2", file},
         0,
         "{\"levels\": [{\"level\": 2, \"name\": \"écolier\", \"entries\": [{\"name\": \"Zoé\", \"player_sets\": 2, "
         "\"computer_sets\": 0, \"date\": \"1999-03-05T09:07\"}, {\"name\": \"Luc\", \"player_sets\": 0, "
         "\"computer_sets\": 2, \"date\": null}]}]}\n",
         ""},
        // The game's data folder, as the interface finds it.
        {{"topten", "--level", "1"}, 0, "", ""},
        {{"topten", file, "--level", "7"}, 2, "", "n'est pas un niveau valable"},
        {{"topten", (data / "nothing").string()}, 2, "", "pas de fichier TopTen"},
    };
    ASSERT_EQ(::setenv("XDG_DATA_HOME", data.Path().c_str(), 1), 0);
    std::filesystem::create_directory(data / "lexinum");
    data.Write("lexinum/topten", TopTenBytes(TopTenBook{}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.size() > 1 ? c.args[1] + " " + c.args.back() : c.args[0]);
        const test::CliResult run = test::RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    // A damaged file: the program's message, exit code 2, nothing listed.
    data.Write("lexinum/topten", ScrambledLine::Scramble("@1\r\n@2\r\n@4\r\n"));
    const test::CliResult damaged = test::RunCli(std::vector<std::string>{"topten"});
    EXPECT_EQ(damaged.exitCode, 2);
    EXPECT_EQ(damaged.out, "");
    EXPECT_NE(damaged.err.find("Fichier TopTen hors d'usage : il manque l'en-tête du niveau 3"), std::string::npos)
        << damaged.err;
    ::unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace lexinum
