#ifndef ZUNAI_XML_CHECK_H
#define ZUNAI_XML_CHECK_H

#include <string>

// A small well-formedness check of an XML document: one root element,
// balanced and properly nested tags, quoted attributes without repeats,
// known entities, nothing after the root but blanks. Answers an empty
// string when the text is well formed, else what is wrong and where.
std::string zunaiXmlProblem(const std::string& text);

#endif
