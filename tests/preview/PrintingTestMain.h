#pragma once

class CupsSandbox;

// The tests' spooler, started before anything else, with two PDF queues: "ZorPDF" and the
// default "Second".
CupsSandbox &spooler();
