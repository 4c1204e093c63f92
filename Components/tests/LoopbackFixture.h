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
    // The server is started with a session of "u1" (the user most calls name); the login
    // is not in its record.
    void SetUp() override
    {
        ASSERT_TRUE(server.Start());
        ASSERT_TRUE(server.LogIn("u1"));
        server.ClearRequests();
    }
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
