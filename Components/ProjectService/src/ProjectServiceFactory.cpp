// The replaceable factory of project service instances.
#include <ProjectService/ProjectServiceFactory.h>
#include <ProjectService/SoapProjectService.h>

#include <atomic>
#include <mutex>

namespace {

std::mutex g_factoryMutex;
ProjectServiceFactory g_factory;
std::atomic<long> g_connectTimeoutMs{10000};
std::atomic<long> g_totalTimeoutMs{60000};

} // namespace

IProjectService* CreateProjectService()
{
    ProjectServiceFactory factory;
    {
        std::lock_guard<std::mutex> lock(g_factoryMutex);
        factory = g_factory;
    }
    if (factory)
        return factory();
    return new CSoapProjectService;
}

ProjectServiceFactory SetProjectServiceFactory(ProjectServiceFactory factory)
{
    std::lock_guard<std::mutex> lock(g_factoryMutex);
    ProjectServiceFactory previous = std::move(g_factory);
    g_factory = std::move(factory);
    return previous;
}

void SetProjectServiceTimeouts(long connectMilliseconds, long totalMilliseconds)
{
    g_connectTimeoutMs = connectMilliseconds > 0 ? connectMilliseconds : 1;
    g_totalTimeoutMs = totalMilliseconds > 0 ? totalMilliseconds : 1;
}

void GetProjectServiceTimeouts(long& connectMilliseconds, long& totalMilliseconds)
{
    connectMilliseconds = g_connectTimeoutMs;
    totalMilliseconds = g_totalTimeoutMs;
}
