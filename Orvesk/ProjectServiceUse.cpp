#include "ProjectServiceUse.h"

#include "ProjectDoc.h"

const char kProjectConnectionChecklist[] = "服务器连接不上!\n\n请检查下面几项:\n1.服务器是否已配置好。\n"
                                           "2.服务器名和站点名是否设置正确。\n3.代理是否设置正确。\n"
                                           "4.SOAP和XML组件是否已正确安装。";

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
