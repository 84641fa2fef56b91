// Replays the fuzz regression corpus and the golden samples through the fuzz checks.
#include "Fuzzcheck.h"
#include "Testutil.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(FuzzCorpus, EveryStoredInputPassesTheChecks)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(CORVINA_TEST_DIR "/fuzz/corpus")) {
        std::string data = TestUtil::ReadBytes(entry.path().string());
        std::string failure =
            FuzzCheck::Run(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
        EXPECT_EQ(failure, "") << entry.path().filename();
        ++count;
    }
    EXPECT_GT(count, 0);
}

TEST(FuzzCorpus, GoldenSamplesPassWithTheShippedLists)
{
    std::string data = CORVINA_DATA_DIR;
    for (unsigned i = 0; i < FuzzCheck::CodeCount(); ++i) {
        std::string code = FuzzCheck::CodeAt(i);
        fs::path folder = fs::path(CORVINA_TEST_DIR) / "golden" / code;
        if (!fs::is_directory(folder))
            continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().stem() != "Sample" || entry.path().extension() == ".tokens" ||
                entry.path().extension() == ".html")
                continue;
            // The source, then escape.txt and the five word lists as they ship.
            std::string parts[7] = {TestUtil::ReadBytes(entry.path().string())};
            const char* lists[] = {"escape.txt", ".key", ".sp1", ".sp2", ".sp3", ".ope"};
            for (int k = 0; k < 6; ++k)
                parts[k + 1] = TestUtil::ReadBytes(data + "/" + (k == 0 ? "" : code) + lists[k]);
            std::string input = FuzzCheck::MakeInput(i, parts, 7);
            EXPECT_EQ(
                FuzzCheck::Run(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()),
                "")
                << entry.path();
        }
    }
}
