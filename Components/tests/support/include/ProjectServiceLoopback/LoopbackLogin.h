// A session of the test process with a project server on 127.0.0.1, for tests whose calls
// (the project service, the product-data components, downloads) need one.
#pragma once

#include <string>

// Logs in through the SOAP client (the server at its description's address `serviceUrl`):
// the process's later requests to that server carry the session. False when the login was
// not accepted.
bool LoopbackLogIn(const std::string& serviceUrl, const std::string& userCode, const std::string& cipheredPassword);
// Forgets the process's session with that server (it stops; a later one may get its port).
void LoopbackForgetSession(const std::string& serviceUrl);
