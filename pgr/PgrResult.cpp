#include "pgr/PgrResult.h"

namespace {

struct ResultText {
    int code;
    const char* name;
    const char* message;
};

constexpr ResultText kResultTexts[] = {
#define PGR_RESULT_TEXT(name, code, message) {code, #name, message},
    PGR_RESULTS(PGR_RESULT_TEXT)
#undef PGR_RESULT_TEXT
};

const ResultText* Find(int result) {
    for (const ResultText& r : kResultTexts)
        if (r.code == result)
            return &r;
    return nullptr;
}

}  // namespace

const char* PgrResultName(int result) {
    const ResultText* r = Find(result);
    return r ? r->name : "unknown result";
}

const char* PgrResultMessage(int result) {
    const ResultText* r = Find(result);
    return r ? r->message : "unknown result";
}
