#pragma once
// The fuzz targets' one check: a broken expectation prints what broke and aborts, which libFuzzer
// and the corpus replay report as a finding.

#include <cstdio>
#include <cstdlib>

namespace kvx::fuzz {

inline void Expect(bool ok, const char* target, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s fuzz: %s\n", target, what);
    std::abort();
}

}  // namespace kvx::fuzz
