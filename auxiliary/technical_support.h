// The technical-support request: a filled-in request template handed to the mail program.
#pragma once

// Nonzero when the request was handed on. Not built yet: does nothing and answers 0.
int SendTechnicalSupportRequest();
