// Making a DOM document, as the callers that create their parser object first do: the
// creation can fail, and those callers report it. Tests make it fail on purpose.
#pragma once

#include <XmlDom/XmlDom.h>

#include <memory>

// "Class not registered": what a failed creation of the parser object reports.
#ifndef REGDB_E_CLASSNOTREG
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#endif

// A new, empty document in *ppDoc and S_OK; on failure *ppDoc is empty and the result is
// the failure code.
HRESULT XmlCreateDocument(std::unique_ptr<CXmlDocument>* ppDoc);

// Tests: the next nCount creations fail with hrFailure; 0 ends that.
void XmlTestFailDocumentCreation(int nCount, HRESULT hrFailure = REGDB_E_CLASSNOTREG);
