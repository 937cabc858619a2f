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
    // What the model readers say (PLY, glTF, the other formats, a reading child).
    {"vertex {}: {r}", "sommet {} : {r}"},
    {"face {}: {r}", "face {} : {r}"},
    {"edge {}: {r}", "arête {} : {r}"},
    {"accessor {}: {r}", "accesseur {} : {r}"},
    {"cannot be read: no such file", "illisible : fichier absent"},
    {"cannot be read: {}", "illisible : {}"},
    {"not a readable glTF file: {}", "fichier glTF illisible : {}"},
    {"not a PLY file (no \"ply\" first)", "pas un fichier PLY (il ne commence pas par \"ply\")"},
    {"unknown PLY format \"{}\"", "format PLY inconnu \"{}\""},
    {"the PLY header has no end_header line", "l'en-tête PLY n'a pas de ligne end_header"},
    {"header line \"{}\" is not understood", "ligne d'en-tête \"{}\" incomprise"},
    {"element \"{}\": count \"{}\" is not a number",
     "élément \"{}\" : le nombre \"{}\" n'est pas un nombre"},
    {"the file ends or a value is broken", "le fichier s'arrête ou une valeur est abîmée"},
    {"list of {} values does not fit the file", "liste de {} valeurs plus longue que le fichier"},
    {"the vertices have no x, y and z", "les sommets n'ont pas de x, y et z"},
    {"the faces have no list \"vertex_indices\"",
     "les faces n'ont pas de liste \"vertex_indices\""},
    {"the file is shorter than its {} {} records",
     "le fichier est plus court que ses {} enregistrements {}"},
    {"{} vertices: more than a scene holds ({})",
     "{} sommets : plus qu'une scène n'en contient ({})"},
    {"more vertices or faces ({}, {}) than a scene holds ({})",
     "plus de sommets ou de faces ({}, {}) qu'une scène n'en contient ({})"},
    {"more vertices or faces than a scene holds ({})",
     "plus de sommets ou de faces qu'une scène n'en contient ({})"},
    {"more vertices than a scene holds ({})", "plus de sommets qu'une scène n'en contient ({})"},
    {"more faces than a scene holds ({})", "plus de faces qu'une scène n'en contient ({})"},
    {"coordinate beyond the range of a 32-bit float",
     "coordonnée hors des limites d'un flottant de 32 bits"},
    {"a coordinate lies beyond the range of a 32-bit float",
     "une coordonnée est hors des limites d'un flottant de 32 bits"},
    {"a coordinate is not a finite number", "une coordonnée n'est pas un nombre fini"},
    {"layer or flag out of range", "layer ou indicateur hors limites"},
    {"layer, flag or kind out of range", "layer, indicateur ou type hors limites"},
    {"{} corners or their place is wrong", "{} coins, ou leur place, incorrects"},
    {"no vertex in the file", "aucun sommet dans le fichier"},
    {"no face in the file ({r})", "aucune face dans le fichier ({r})"},
    {"no face in the file", "aucune face dans le fichier"},
    {"no scene in the file", "aucune scène dans le fichier"},
    {"a face refers to a vertex the mesh does not have",
     "une face désigne un sommet que le maillage n'a pas"},
    {"buffer '{}' not read ({r})", "tampon '{}' non lu ({r})"},
    {"sparse accessors are not read", "les accesseurs creux ne sont pas lus"},
    {"of an unexpected type", "d'un type inattendu"},
    {"of an unknown component type", "d'un type de composante inconnu"},
    {"of a component type that is not read", "d'un type de composante non lu"},
    {"without its buffer view", "sans sa vue de tampon"},
    {"without its buffer", "sans son tampon"},
    {"reaches beyond its buffer", "dépasse son tampon"},
    {"the nodes refer to missing ones or nest too deep",
     "les nœuds en désignent d'absents ou s'imbriquent trop profondément"},
    {"node {} refers to a missing mesh", "le nœud {} désigne un maillage absent"},
    {"a primitive without positions", "une primitive sans positions"},
    {"a primitive's vertex numbers do not match its positions",
     "les numéros de sommets d'une primitive ne correspondent pas à ses positions"},
    {"a list of triangles whose length is not a multiple of 3",
     "une liste de triangles dont la longueur n'est pas un multiple de 3"},
    {"a triangle refers to a vertex its primitive does not have",
     "un triangle désigne un sommet que sa primitive n'a pas"},
    {"reading stopped after {} seconds", "lecture arrêtée après {} secondes"},
    {"the reading could not be followed", "la lecture n'a pas pu être suivie"},
    {"the reader stopped on this file ({})", "le lecteur s'est arrêté sur ce fichier ({})"},
    {"the reader ended without an answer (status {})",
     "le lecteur s'est terminé sans réponse (code {})"},
    {"the reader failed: {}", "le lecteur a échoué : {}"},
    {"the reader failed", "le lecteur a échoué"},
    {"the reader's answer is broken: {r}", "la réponse du lecteur est abîmée : {r}"},
    {"the reader's answer is broken", "la réponse du lecteur est abîmée"},
    {"no pipe for the reader: {}", "pas de tube pour le lecteur : {}"},
    {"no process for the reader: {}", "pas de processus pour le lecteur : {}"},
    // What the model readers left out (notes, one per line).
    {"{} points and {} lines skipped", "{} points et {} lignes ignorés"},
    {"{} faces of fewer than 3 corners skipped", "{} faces de moins de 3 coins ignorées"},
    {"{} primitives of lines or strips skipped", "{} primitives de lignes ou de bandes ignorées"},
    {"{} edge records skipped", "{} arêtes ignorées"},
    {"{} {} records skipped", "{} enregistrements {} ignorés"},
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
