#include "ProjectServiceUse.h"

#include "ProjectDoc.h"

CProjectServicePtr ProjectConnectService(const CProjectDoc& doc)
{
    CProjectServicePtr service(CreateProjectService());
    if (!service)
        return service;
    service->SetServiceUrl(doc.m_strServiceUrl);
    if (doc.m_bAutomation == 0) {
        service->SetProxyServer(doc.m_strProxyServerAddress);
        service->SetProxyPort(doc.m_strProxyServerPort);
    }
    return service;
}
