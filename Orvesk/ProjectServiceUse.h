// How the project document reaches the project service (not exported).
#pragma once

#include <ProjectService/IProjectService.h>
#include <ProjectService/ProjectServiceFactory.h>

class CProjectDoc;

typedef CProjectServicePtr CProjectServiceRef;

// A new service instance set up with the document's connection settings: the service
// address, and the proxy when the document's Automation setting is 0. Empty when the
// instance cannot be created.
CProjectServicePtr ProjectConnectService(const CProjectDoc& doc);

// What the user is told when the server cannot be reached.
extern const char kProjectConnectionChecklist[];
