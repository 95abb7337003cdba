// The conversion run as the window and the command line drive it.
#include <gtest/gtest.h>

#include "app/registries.h"
#include "app/run.h"
#include "support/fixture.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

Ticked only(std::initializer_list<std::string_view> names) {
    Ticked t{};
    for (std::string_view n : names) t[static_cast<std::size_t>(FindRegistry(n) - Registries().data())] = true;
    return t;
}

class RunTest : public ConversionTest {
protected:
    std::string triggerStates() {
        return db.targetValue("SELECT LIST(RDB$TRIGGER_INACTIVE, '') FROM RDB$TRIGGERS "
                              "WHERE RDB$TRIGGER_NAME IN ('COMPCLIE_AI0', 'COMPCLIE_AU0')");
    }
};

TEST_F(RunTest, EmptyPathsStopBeforeAnything) {
    session.sourcePath = " \t";
    EXPECT_EQ(ExecuteRun(session, only({})), RunOutcome::EmptySourcePath);
    session.sourcePath = db.sourcePath();
    session.targetPath = "";
    EXPECT_EQ(ExecuteRun(session, only({})), RunOutcome::EmptyTargetPath);
    EXPECT_EQ(boxes(), (std::vector<std::string>{W("Caminho do banco de dados Talvo está vazio."),
                                                 W("Caminho do banco de dados do Ordelio está vazio.")}));
    EXPECT_EQ(ui.boxes[0].caption, "Alerta");
    EXPECT_EQ(ui.questions, 0);
}

TEST_F(RunTest, BothConnectionsFailingAreReportedTargetFirstThenTheTriggers) {
    session.sourcePath = (db.dir() / "none.fdb").string();
    session.targetPath = (db.dir() / "none.fb").string();
    EXPECT_EQ(ExecuteRun(session, only({})), RunOutcome::ConnectionFailed);
    ASSERT_EQ(ui.boxes.size(), 3u) << ::testing::PrintToString(boxes());
    EXPECT_EQ(ui.boxes[0].text.rfind(W("Impossível conectar ao banco de dados do Ordelio pelo seguinte motivo: \r"), 0), 0u);
    EXPECT_EQ(ui.boxes[1].text.rfind(W("Impossível conectar ao banco de dados Talvo pelo seguinte motivo: \r"), 0), 0u);
    EXPECT_EQ(ui.boxes[2].text.rfind("Erro ao ativar as Triggers: ", 0), 0u);
    EXPECT_EQ(ui.questions, 0);
}

TEST_F(RunTest, OnlyTheSourceFailing) {
    session.sourcePath = (db.dir() / "none.fdb").string();
    EXPECT_EQ(ExecuteRun(session, only({})), RunOutcome::ConnectionFailed);
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(triggerStates(), "00");
}

TEST_F(RunTest, ARefusedConfirmationChangesNothing) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'NEW', 'MG')");
    ui.answer = false;
    EXPECT_EQ(ExecuteRun(session, only({"cidades"})), RunOutcome::Refused);
    EXPECT_EQ(ui.questions, 1);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(db.targetRows("SELECT CODCIDADE, CIDADE FROM CIDADES"), (Rows{{"00009", "KEPT"}}));
    EXPECT_EQ(triggerStates(), "00");
}

TEST_F(RunTest, NothingTickedStillWritesTheStandardTermsAndAnnouncesTheEnd) {
    bool disabled = false, reset = false;
    RunScreen screen{[&](bool on) { disabled = !on; }, [&] { reset = true; }};
    EXPECT_EQ(ExecuteRun(session, only({}), screen), RunOutcome::Completed);
    EXPECT_FALSE(disabled);
    EXPECT_TRUE(reset);
    EXPECT_EQ(boxes(), (std::vector<std::string>{W("Conversão de dados finalizada.")}));
    EXPECT_EQ(ui.boxes[0].caption, W("Informação"));
    EXPECT_EQ(db.targetRows("SELECT CODPRAZO FROM CONDPAG ORDER BY CODPRAZO"), (Rows{{"000"}, {"001"}}));
    EXPECT_EQ(triggerStates(), "00");
    EXPECT_EQ(ui.statuses.front(), "Aguarde!");
    EXPECT_EQ(ui.statuses.back(), "");
}

TEST_F(RunTest, RegistriesRunInTheFixedOrderNotTheOrderTicked) {
    EXPECT_EQ(ExecuteRun(session, only({"documentosreceber", "cidades"})), RunOutcome::Completed);
    ASSERT_EQ(session.summary.registries.size(), 2u);
    EXPECT_EQ(session.summary.registries[0].name, "cidades");
    EXPECT_EQ(session.summary.registries[1].name, "documentosreceber");
}

TEST_F(RunTest, AnUnhandledErrorEndsTheRunWithTheGeneralReport) {
    db.onSource("DROP TABLE REP004");
    bool reset = false;
    RunScreen screen{nullptr, [&] { reset = true; }};
    EXPECT_EQ(ExecuteRun(session, only({"cidades", "grupos"}), screen), RunOutcome::Aborted);
    ASSERT_FALSE(ui.boxes.empty());
    const auto& last = ui.boxes.back();
    EXPECT_EQ(last.caption, "Conversor");
    EXPECT_EQ(last.kind, BoxKind::Error);
    EXPECT_NE(last.text.find("REP004"), std::string::npos) << last.text;
    EXPECT_EQ(last.text.back(), '.');
    EXPECT_FALSE(reset);
    // The cities stopped where the error came, with nothing read; the groups never ran.
    ASSERT_EQ(session.summary.registries.size(), 1u);
    EXPECT_EQ(session.summary.registries[0].name, "cidades");
    EXPECT_TRUE(session.summary.registries[0].stopped);
    EXPECT_EQ(session.summary.registries[0].read, 0);
    EXPECT_EQ(triggerStates(), "00");
}

}  // namespace
}  // namespace conversor::testing
