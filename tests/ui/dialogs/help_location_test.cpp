#include "ui/dialogs/help_location.h"

#include <gtest/gtest.h>
#include <set>

namespace vintrel::help {
namespace {

namespace fs = std::filesystem;

const fs::path kProgramFolder = "/opt/vintrel/bin";
const fs::path kBesideProgram = "/opt/vintrel/bin/README.md";
const fs::path kInstalledDocs = "/opt/vintrel/share/doc/vintrel/README.md";

FileExists existing(std::set<fs::path> files) {
    return [files = std::move(files)](const fs::path& p) { return files.count(p) > 0; };
}

TEST(HelpLocation, ReadmeIsLookedForBesideTheProgramThenInTheDocumentationFolder) {
    EXPECT_EQ(readmeCandidates(kProgramFolder), (std::vector<fs::path>{kBesideProgram, kInstalledDocs}));
}

TEST(HelpLocation, TheHelpAddressWinsOverAnyReadme) {
    const HelpTarget target =
        chooseHelpTarget("https://example.org/vintrel/help", kProgramFolder, existing({kBesideProgram}));
    EXPECT_EQ(target, HelpTarget(std::string("https://example.org/vintrel/help")));
}

TEST(HelpLocation, WithoutAnAddressTheFirstReadmeFoundIsOpened) {
    EXPECT_EQ(chooseHelpTarget("", kProgramFolder, existing({kBesideProgram, kInstalledDocs})),
              HelpTarget(kBesideProgram));
    EXPECT_EQ(chooseHelpTarget("", kProgramFolder, existing({kInstalledDocs})), HelpTarget(kInstalledDocs));
}

TEST(HelpLocation, NothingToOpenIsSaid) {
    EXPECT_EQ(chooseHelpTarget("", kProgramFolder, existing({})), HelpTarget(NoHelp{}));
}

} // namespace
} // namespace vintrel::help
