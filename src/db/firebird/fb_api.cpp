#include "db/firebird/fb_api.h"

#include <clocale>
#include <cstring>
#include <vector>

namespace conversor::fb {

namespace {
// The client library converts a database's file name between the program's
// character type (LC_CTYPE) and UTF-8. A program that never chose its locale
// runs in "C", where a path with any non-ASCII byte (a store folder named
// "São Paulo") fails with "Cannot transliterate character between character
// sets". File names here are UTF-8: take the user's locale, and UTF-8 itself
// when that is plain C. Only the character type changes.
bool IsPlainC(const char* locale) { return !locale || !std::strcmp(locale, "C") || !std::strcmp(locale, "POSIX"); }

void UseUtf8FileNames() {
    if (!IsPlainC(std::setlocale(LC_CTYPE, nullptr))) return;  // the program chose one
    if (IsPlainC(std::setlocale(LC_CTYPE, ""))) std::setlocale(LC_CTYPE, "C.UTF-8");
}
}  // namespace

Firebird::IMaster* Master() {
    static const bool fileNamesReady = (UseUtf8FileNames(), true);
    (void)fileNamesReady;
    return Firebird::fb_get_master_interface();
}
Firebird::IUtil* Util() { return Master()->getUtilInterface(); }

std::string Describe(const Firebird::FbException& e) {
    char buffer[2048];
    Util()->formatStatus(buffer, sizeof buffer, e.getStatus());
    std::string text(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::vector<long> Codes(const Firebird::IStatus* status) {
    std::vector<long> codes;
    const intptr_t* v = status->getErrors();
    // Each entry is a kind and a value; a counted string takes two values.
    for (; *v != isc_arg_end; v += *v == isc_arg_cstring ? 3 : 2)
        if (v[0] == isc_arg_gds) codes.push_back(static_cast<long>(v[1]));
    return codes;
}

DbError Error(const Firebird::FbException& e) { return DbError(Describe(e), Codes(e.getStatus())); }

std::vector<unsigned char> TransactionParameters(bool readOnly) {
    return {isc_tpb_version3, static_cast<unsigned char>(readOnly ? isc_tpb_read : isc_tpb_write),
            isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_wait};
}

void RollbackOrRelease(Firebird::ThrowStatusWrapper& st, Ref<Firebird::ITransaction>& tra) {
    if (!tra) return;
    try {
        tra->rollback(&st);
        tra.forget();
    } catch (const Firebird::FbException&) {
        tra.reset();
    }
}

}  // namespace conversor::fb
