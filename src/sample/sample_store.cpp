#include "sample/sample_store.h"

#include <filesystem>
#include <stdexcept>

#include "db/firebird/connection.h"
#include "db/script.h"
#include "db/session.h"
#include "sample/random.h"
#include "sample/source_writer.h"
#include "sample/target_reference.h"
#include "sample/vocabulary.h"

namespace conversor::sample {

namespace fs = std::filesystem;

SampleStore GenerateSampleStore(const SampleOptions& options) {
    if (options.scale < 1 || options.scale > kMaxScale)
        throw std::runtime_error("the scale must be between 1 and " + std::to_string(kMaxScale));
    SampleStore store;
    store.shape = ShapeFor(options.scale);
    const fs::path dir(options.dir), schema(options.schemaDir);
    fs::create_directories(dir);
    store.sourcePath = (dir / "talvo.fdb").string();
    store.targetPath = (dir / "ordelio.fb").string();
    for (const std::string& path : {store.sourcePath, store.targetPath}) fs::remove(path);

    CreateDatabaseFromScript(store.sourcePath, 3, (schema / "talvo.sql").string(), options.forcedWrites);
    CreateDatabaseFromScript(store.targetPath, 1, (schema / "ordelio.sql").string(), options.forcedWrites);

    ConnectionOptions targetOptions;
    targetOptions.dialect = 1;
    Connection target(targetOptions);
    target.setDatabase(store.targetPath);
    target.open();
    target.startTransaction();
    WriteTargetReference(target);
    target.commit();
    target.close();

    ConnectionOptions sourceOptions;
    sourceOptions.dialect = 3;
    Connection source(sourceOptions);
    source.setDatabase(store.sourcePath);
    source.open();
    SampleRandom rng(options.seed);
    const Vocabulary words;
    SourceWriter writer(source, rng, words, store.shape);
    // Registries first, then what points into them; one commit per part.
    source.startTransaction();
    writer.WriteCities();
    writer.WriteSalespeople();
    writer.WriteSuppliers();
    writer.WriteCatalogueTables();
    writer.WriteCompanies();
    writer.WriteBanking();
    writer.WritePaymentPlans();
    source.commit();
    source.startTransaction();
    writer.WriteCustomers();
    source.commit();
    source.startTransaction();
    writer.WriteProducts();
    source.commit();
    source.startTransaction();
    writer.WritePayables();
    writer.WriteReceivables();
    source.commit();
    source.close();
    store.sourceRows = writer.state().rows;
    return store;
}

void ChooseSampleStore(Session& session, const std::string& source, const std::string& target, int commitInterval) {
    session.sourcePath = source;
    session.targetPath = target;
    session.codOperPagar = kPayablesOperation;
    session.codOperReceber = kReceivablesOperation;
    session.setCommitInterval(commitInterval);
}

}  // namespace conversor::sample
