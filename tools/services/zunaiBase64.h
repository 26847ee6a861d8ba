#ifndef ZUNAI_BASE64_H
#define ZUNAI_BASE64_H

#include <string>

// Bytes as base64 text (RFC 4648, with padding), for data: URIs.
std::string zunaiBase64(const std::string& bytes);

#endif
