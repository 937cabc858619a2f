#pragma once
// The text of a file as UTF-8, whatever byte-order mark it starts with.

#include <string>

namespace kvx {

// Drops a UTF-8 byte-order mark; turns UTF-16 with a byte-order mark (either byte order) into
// UTF-8, a lone surrogate becoming U+FFFD. False with a reason for binary data: a NUL byte (or
// NUL character) anywhere, as in UTF-16 without a mark or a file of another kind.
bool DecodeText(std::string& text, std::string& reason);

}  // namespace kvx
