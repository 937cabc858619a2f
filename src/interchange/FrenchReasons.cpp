#include "interchange/FrenchReasons.h"

#include "interchange/Wordings.h"

namespace kvx {
namespace {

constexpr Wording Wordings[] = {
    {"line {}: {r}", "ligne {} : {r}"},
    // What the OBJ reader says of a line.
    {"corner {} refers to vertex {} of {}", "le coin {} désigne le sommet {} sur {}"},
    {"corner {} refers to a vertex before the first one",
     "le coin {} désigne un sommet avant le premier"},
    {"face with {} corners (at least 3 needed)", "face de {} coins (il en faut au moins 3)"},
    {"vertex index 0 (indices start at 1)", "indice de sommet 0 (les indices commencent à 1)"},
    {"corner '{}' has no vertex index", "le coin '{}' n'a pas d'indice de sommet"},
    {"coordinate '{}' is not a finite number", "la coordonnée '{}' n'est pas un nombre fini"},
    {"coordinate '{}' is not a number", "la coordonnée '{}' n'est pas un nombre"},
    {"coordinate is not a finite number", "une coordonnée n'est pas un nombre fini"},
    {"coordinate too large for a 32-bit float",
     "une coordonnée est trop grande pour un flottant de 32 bits"},
    {"vertex with fewer than three coordinates", "sommet de moins de trois coordonnées"},
    {"vertex index {} out of range", "indice de sommet {} hors limites"},
    {"more than {} vertices (the most a scene holds)",
     "plus de {} sommets (le maximum d'une scène)"},
    {"more than {} faces (the most a scene holds, polygons split to eight corners)",
     "plus de {} faces (le maximum d'une scène, polygones découpés en huit coins)"},
    {"the OBJ parser and the line scan disagree on the vertex count",
     "l'analyseur OBJ et la lecture des lignes ne comptent pas les mêmes sommets"},
    {"the OBJ parser and the line scan disagree at line {}",
     "l'analyseur OBJ et la lecture des lignes divergent à la ligne {}"},
    {"the OBJ parser and the line scan disagree",
     "l'analyseur OBJ et la lecture des lignes divergent"},
    // What the OBJ reader says of a file.
    {"cannot read the file ({r})", "impossible de lire le fichier ({r})"},
    {"no vertex and no face in the file (not an OBJ file?)",
     "aucun sommet ni aucune face dans le fichier (est-ce un fichier OBJ ?)"},
    {"the file holds binary data (NUL bytes), not text",
     "le fichier contient des données binaires (octets nuls), pas du texte"},
    {"material file '{}' not read ({r}): its faces keep the default colour",
     "fichier de matières '{}' non lu ({r}) : ses faces gardent la couleur par défaut"},
    {"missing", "absent"},
    {"not readable", "illisible"},
    {"not a plain file", "pas un fichier ordinaire"},
    {"larger than {} bytes", "plus de {} octets"},
    {"grew while read", "agrandi pendant la lecture"},
    {"an absolute path", "chemin absolu"},
    {"outside the model's folder", "hors du dossier du modèle"},
    {"the scene cannot hold that many more vertices or faces",
     "la scène ne peut pas recevoir autant de sommets ou de faces en plus"},
    // What the writers say.
    {"cannot look at {}", "impossible d'examiner {}"},
    {"cannot hold {} (not a plain writable file, or in use)",
     "impossible de réserver {} (fichier non modifiable, ou déjà utilisé)"},
    {"cannot give {} the permissions of {}", "impossible de donner à {} les droits de {}"},
    {"cannot create a temporary file beside {}",
     "impossible de créer un fichier temporaire à côté de {}"},
    {"cannot write {}", "impossible d'écrire {}"},
    {"cannot replace {}", "impossible de remplacer {}"},
    {"nothing to write to {}", "rien à écrire dans {}"},
    // Last, the wordings that start with a name: one of the above may end with their words.
    {"{} is not a plain file", "{} n'est pas un fichier ordinaire"},
    {"{} is read-only", "{} est en lecture seule"},
    {"{} was replaced while saving", "{} a été remplacé pendant l'enregistrement"},
    {"{} would also be its own material file", "{} serait aussi son propre fichier de matières"},
};

std::string ReasonIn(WordingSide from, std::string_view reason) {
    std::string out;
    while (!reason.empty()) {
        const std::size_t end = reason.find('\n');
        const std::string_view line = reason.substr(0, end);
        out += Reworded(Wordings, from, line).value_or(std::string(line));
        if (end == std::string_view::npos) break;
        out += '\n';
        reason.remove_prefix(end + 1);
    }
    return out;
}

}  // namespace

std::string FrenchReason(std::string_view english) {
    return ReasonIn(WordingSide::English, english);
}

std::string EnglishReason(std::string_view french) {
    return ReasonIn(WordingSide::French, french);
}

}  // namespace kvx
