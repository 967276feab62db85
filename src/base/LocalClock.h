#pragma once
// The calendar year of the local clock, which short dates without a century need.

int CurrentLocalYear();
