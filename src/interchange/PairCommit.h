#pragma once
// Putting a model file and the file it names (OBJ's material file, glTF's buffer) in place as a
// pair, so that no reader (nor a kill) ever finds the model beside a named file that does not go
// with it: the named file is renamed over its target first, then the model; should the model's
// rename fail, the named file's earlier content is put back (or the new one removed when there
// was none). Both renames happen under the folders' locks (FileReplace.h).

#include <functional>
#include <string>

#include "scene/FileReplace.h"

namespace kvx {

// model and named are finished temporary files beside their targets. afterEachStep, when given,
// is called after each rename (tests kill the writer there). laterNamed, when given, is renamed
// over namedTarget after the model is in place (the material file merged with the earlier one
// goes first, the new materials alone after).
bool CommitPair(TemporaryFile& model, const ReplaceTarget& modelTarget, TemporaryFile& named,
                const ReplaceTarget& namedTarget, const std::function<void()>& afterEachStep,
                std::string& reason, TemporaryFile* laterNamed = nullptr);

}  // namespace kvx
