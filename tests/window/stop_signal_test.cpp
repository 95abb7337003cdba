// A stop signal in the window program: a run stops at its next row boundary
// with the triggers switched back on and no box shown, the dialogs open are
// dismissed, and the program ends with the status a shell expects.
#include <QCheckBox>
#include <QTimer>
#include <csignal>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/window/dialogs.h"
#include "window/window_fixture.h"

extern char** environ;

namespace conversor::testing {
namespace {

class StopSignalTest : public WindowTest {
protected:
    void SetUp() override {
        db.onSource(
            "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'CAMPINAS', 'SP');"
            "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 2, 'SANTOS', 'SP')");
    }
};

TEST_F(StopSignalTest, ARunStopsAtARowBoundaryShowsNoBoxAndTheWindowClosesAfterIt) {
    chooseDatabases();
    click("btnDesmarcarTodos");
    check("ckCidades")->setChecked(true);
    check("ckGrupos")->setChecked(true);
    check("chkCopiaSeguranca")->setChecked(false);
    std::vector<QString> conversions;
    window.onStatus = [&](const QString& status) {
        if (!status.startsWith("Convertendo")) return;
        conversions.push_back(status);
        if (status == "Convertendo Cidades...") window.stopBySignal(SIGTERM);
    };
    click("btConverter");

    EXPECT_EQ(conversions, std::vector<QString>{"Convertendo Cidades..."});
    EXPECT_TRUE(window.session().summary.interrupted);
    EXPECT_EQ(window.boxTexts(), std::vector<QString>{});
    EXPECT_EQ(db.targetValue("SELECT LIST(RDB$TRIGGER_INACTIVE, '') FROM RDB$TRIGGERS "
                             "WHERE RDB$TRIGGER_NAME IN ('COMPCLIE_AI0', 'COMPCLIE_AU0')"),
              "00");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(StopSignalTest, AnOpenConfirmationIsAnsweredNoAndTheIdleWindowCloses) {
    window.show();
    QTimer::singleShot(0, &window, [this] { window.stopBySignal(SIGINT); });
    EXPECT_FALSE(AskYesNo(&window, "Pergunta", "Converter?"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.session().stop.reason(), SIGINT);
}

// Whether pid blocks sig: until it does, the signal would end the program
// before its watcher could take it.
bool Blocks(pid_t pid, int sig) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigBlk:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (sig - 1)) & 1;
    return false;
}

TEST(WindowProgram, EndsOnAStopSignalWithTheShellsStatus) {
    for (const int sig : {SIGTERM, SIGINT}) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        char* argv[] = {const_cast<char*>(WINDOW_PATH), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, WINDOW_PATH, nullptr, nullptr, argv, environ), 0);
        for (int tries = 0; tries < 1000 && !Blocks(pid, sig); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        kill(pid, sig);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 128 + sig);
    }
}

}  // namespace
}  // namespace conversor::testing
