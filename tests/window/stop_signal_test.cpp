// A stop signal in the window program: a run stops at its next row boundary
// with the triggers switched back on and no box shown, the dialogs open are
// dismissed, and the program ends with the status a shell expects.
#include <QCheckBox>
#include <QTimer>
#include <csignal>
#include <cstring>
#include <thread>

#include "app/window/dialogs.h"
#include "support/cli_process.h"
#include "window/window_fixture.h"

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

TEST(WindowProgram, EndsOnAStopSignalWithTheShellsStatus) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TestDatabases files;  // a folder for the program's output
    for (const int sig : {SIGTERM, SIGINT}) {
        ChildProcess window({WINDOW_PATH}, files.dir());
        // Until it holds the signal back, the signal would end the program
        // before its watcher could take it.
        for (int tries = 0; tries < 1000 && window.running() && !window.blocks(sig); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        window.kill(sig);
        EXPECT_EQ(window.wait(), 128 + sig) << window.err();
        EXPECT_NE(window.err().find(std::string("conversor: stopped by SIG") + sigabbrev_np(sig)), std::string::npos)
            << window.err();
    }
}

}  // namespace
}  // namespace conversor::testing
