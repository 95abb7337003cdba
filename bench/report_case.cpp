#include "report_case.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "app/json_report.h"
#include "app/run.h"
#include "db/firebird/connection.h"
#include "db/firebird/statement.h"
#include "db/session.h"
#include "sample/sample_store.h"
#include "silent_operator.h"

namespace conversor::bench {

void PlantSkips(const std::string& source) {
    ConnectionOptions o;
    o.dialect = 3;
    Connection cn(o);
    cn.setDatabase(source);
    cn.startTransaction();
    // A status of AB and a blank is still selected as open, and then left out.
    for (const char* sql : {"UPDATE CR002 SET NOME = NULL, APELIDO = NULL, RAMOATIVIDADE = NULL",
                            "UPDATE CR001 SET STATUS = 'AB '", "UPDATE CP001 SET STATUS = 'AB '"}) {
        Statement st(cn);
        st.setText(sql);
        st.execute();
    }
    cn.commit();
}

ReportRun RunWithReport(const std::string& source, const std::string& target, const std::string& reportPath) {
    const auto start = std::chrono::steady_clock::now();
    SilentOperator ui;
    Session s(ui);
    sample::ChooseSampleStore(s, source, target, 1000);
    std::unique_ptr<JsonReport> report;
    if (!reportPath.empty()) {
        report = std::make_unique<JsonReport>();
        s.ledger = report.get();
    }
    Ticked all;
    all.fill(true);
    const RunOutcome outcome = ExecuteRun(s, all);
    if (outcome != RunOutcome::Completed) throw std::runtime_error("the conversion run of the store did not complete");
    ReportRun run;
    if (report) {
        ReportedRun reported;
        reported.source = source;
        reported.target = target;
        reported.commitEvery = 1000;
        reported.ticked = all;
        report->write(reportPath, reported, s.summary);
        run.reportBytes = static_cast<long long>(std::filesystem::file_size(reportPath));
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const RegistryResult& r : s.summary.registries) run.ledgerRows += r.skipped + r.failed;
    run.boxes = ui.boxes;
    return run;
}

}  // namespace conversor::bench
