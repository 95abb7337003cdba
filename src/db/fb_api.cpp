#include "db/fb_api.h"

#include <vector>

namespace conversor::fb {

Firebird::IMaster* Master() { return Firebird::fb_get_master_interface(); }
Firebird::IUtil* Util() { return Master()->getUtilInterface(); }

std::string Describe(const Firebird::FbException& e) {
    char buffer[2048];
    Util()->formatStatus(buffer, sizeof buffer, e.getStatus());
    std::string text(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::vector<unsigned char> TransactionParameters(bool readOnly) {
    return {isc_tpb_version3, static_cast<unsigned char>(readOnly ? isc_tpb_read : isc_tpb_write),
            isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_wait};
}

}  // namespace conversor::fb
