// Saves interrupted by SIGKILL at random moments: a child process saves the
// settings and the high score table over and over, each save a new
// generation, until it is killed; every time, each stored key holds one whole
// generation, no older than the one before the child started.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <random>

#include "launcher/settings_store.h"
#include "store_fixture.h"

namespace {

int Rounds() {
    const char* text = std::getenv("ROCKPILE_SIGKILL_ROUNDS");
    return text ? std::max(1, std::atoi(text)) : 150;
}

class SigkillSaveTest : public StoreTest {
protected:
    // Starts a child that saves generations first, first + 1, ... for good.
    pid_t StartSaving(int first) {
        const pid_t parent = getpid();
        pid_t child = fork();
        if (child == 0) {
            for (int g = first; getppid() == parent; ++g) {
                MakeState(g, g);
                SaveSettings(pack_, *game_);
            }
            _exit(0);
        }
        return child;
    }
};

TEST_F(SigkillSaveTest, EveryKeyHoldsOneWholeGenerationAfterEachKill) {
    MakeState(0, 0);
    ASSERT_TRUE(SaveSettings(pack_, *game_));
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicroseconds(0, 25000);

    int packGeneration = 0, gameGeneration = 0, advanced = 0, interruptedWrites = 0;
    // A kill lands inside a write only now and then (the writes are short):
    // past the rounds asked for, the test goes on, up to ten times as many,
    // until one has.
    const int minimumRounds = Rounds();
    int round = 0;
    for (; round < minimumRounds || (interruptedWrites == 0 && round < 10 * minimumRounds); ++round) {
        const int tempsBefore = CountFiles(".ini.");
        pid_t child = StartSaving(gameGeneration + 1);
        ASSERT_GT(child, 0);
        usleep(delayMicroseconds(random));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round;
        interruptedWrites += CountFiles(".ini.") > tempsBefore;

        Load();
        const int pack = LoadedPackGeneration(), game = LoadedGameGeneration();
        ASSERT_GE(pack, packGeneration) << "round " << round << ": the pack's key is torn or went back";
        ASSERT_GE(game, gameGeneration) << "round " << round << ": the game's key is torn or went back";
        advanced += game > gameGeneration;
        packGeneration = pack;
        gameGeneration = game;
        ASSERT_EQ(CountFiles(".corrupt-"), 0) << "round " << round;
    }
    const int rounds = round;
    RecordProperty("rounds", rounds);
    RecordProperty("savesCompleted", gameGeneration);
    RecordProperty("killsDuringAWrite", interruptedWrites);
    std::printf("%d rounds: %d generations saved, %d rounds advanced, %d kills in the middle of a write\n", rounds,
                gameGeneration, advanced, interruptedWrites);
    // The kills must land both between and inside saves for the test to mean anything.
    EXPECT_GT(advanced, 0);
    EXPECT_GT(interruptedWrites, 0);
}

}  // namespace
