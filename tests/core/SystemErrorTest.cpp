#include "common/SystemError.h"
#include "lexicon/LexiconBuilder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace lexinum {
namespace {

namespace fs = std::filesystem;

// Every code a file, a folder or an output can fail with reads in French: never
// the system's own (English) text, never a bare number.
TEST(SystemError, TellsTheCodesTheGameMeetsInFrench) {
    for (const int code :
         {ENOENT, EACCES,    EPERM, ENOSPC, EDQUOT, EROFS,  EIO,       EISDIR,  ENOTDIR, ENAMETOOLONG, ELOOP,
          EEXIST, ENOTEMPTY, EBUSY, EXDEV,  EFBIG,  EMFILE, ENFILE,    ENOMEM,  EINVAL,  ETXTBSY,      EAGAIN,
          ENXIO,  ENODEV,    EBADF, EPIPE,  EINTR,  ESPIPE, EOVERFLOW, ENOTSUP, ENOLCK,  ESTALE}) {
        const std::string text = SystemError::Text(code);
        EXPECT_EQ(text.find(std::to_string(code)), std::string::npos) << code << ": " << text;
        EXPECT_EQ(text.find(std::strerror(code)), std::string::npos) << code << ": " << text;
    }
    EXPECT_EQ(SystemError::Text(EBADF).find("erreur système"), std::string::npos);
    // A code the game does not know is still told in French, with its number.
    const std::string unknown = SystemError::Text(4000);
    EXPECT_NE(unknown.find("4000"), std::string::npos);
    EXPECT_NE(unknown.find("système"), std::string::npos);
}

TEST(SystemError, ABuildThatCannotReachItsFolderSaysWhyInFrench) {
    const test::TempFolder folder;
    fs::create_directory_symlink("boucle", folder / "boucle");
    LexiconBuilder builder;
    builder.AddWord("oui");
    std::string error;
    EXPECT_FALSE(builder.Write(folder / "boucle/lexique", &error));
    EXPECT_NE(error.find(SystemError::Text(ELOOP)), std::string::npos) << error;
    EXPECT_EQ(error.find(std::strerror(ELOOP)), std::string::npos) << error;
}

} // namespace
} // namespace lexinum
