// tinygltf's implementation, built here with our compiler and flags: the parser only, without its
// image decoding and writing (images are never used; see CMakeLists.txt).
#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>
