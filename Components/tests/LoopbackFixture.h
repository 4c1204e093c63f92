// A loopback project server started for each test, and SOAP clients pointed at it.
#pragma once

#include <ProjectService/ProjectServiceFactory.h>
#include <ProjectService/SoapProjectService.h>
#include <ProjectServiceLoopback/LoopbackProjectServer.h>

#include <ClassLib/Core/Conversion.h>

#include <gtest/gtest.h>

inline CString Gbk(const char* utf8) { return CStringFromUtf8(utf8); }

class LoopbackTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Start()); }
    void TearDown() override { server.Stop(); }

    // A client with the server's address and short time-outs.
    CProjectServicePtr Client(long totalMs = 10000)
    {
        CSoapProjectService* c = new CSoapProjectService;
        c->SetTimeouts(2000, totalMs);
        c->SetServiceUrl(server.ServiceUrl());
        return CProjectServicePtr(c);
    }

    CLoopbackProjectServer server;
};
