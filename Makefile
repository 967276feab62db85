# Two commands matter: `make run` and `make test`. Both install what is missing first.
SHELL := /bin/bash

# Debian packages the build, the tests and the tools need.
PACKAGES := cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config \
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libgl-dev \
  libfontconfig-dev \
  libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev libinih-dev \
  libdw-dev libelf-dev binutils libcapstone-dev libzydis-dev \
  desktop-file-utils xdg-utils fonts-liberation2 xvfb xauth

BUILD := build
FUZZ_SECONDS ?= 20
CTEST_JOBS ?= 2

.PHONY: all deps build run test bench fuzz sanitize clean

all: build

deps:
	@missing=$$(dpkg-query -W -f='$${Package} $${db:Status-Abbrev}\n' $(PACKAGES) 2>/dev/null \
	            | awk '$$2 == "ii" { print $$1 }' | sort | comm -13 - <(tr ' ' '\n' <<< "$(PACKAGES)" | grep . | sort)); \
	if [ -n "$$missing" ]; then \
	  line="apt-get install -y $$(echo $$missing)"; \
	  if [ "$$(id -u)" != 0 ]; then \
	    echo "Missing Debian packages. As root, run: apt-get update && $$line"; exit 1; \
	  fi; \
	  echo "apt-get update && $$line"; \
	  apt-get update && DEBIAN_FRONTEND=noninteractive $$line; \
	fi

$(BUILD)/build.ninja: | deps
	cmake --preset default

build: deps $(BUILD)/build.ninja
	cmake --build --preset default

run: build
	$(BUILD)/bin/BrenvollAdmin

test: build
	QT_QPA_PLATFORM=offscreen ctest --preset default -j $(CTEST_JOBS)

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && echo "== $$b" && "$$b" || true; done

sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	QT_QPA_PLATFORM=offscreen ctest --preset sanitize

# Each fuzz target runs for FUZZ_SECONDS from its seed corpus.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz --target all_fuzzers
	@set -e; for f in build-fuzz/fuzz/*; do \
	  name=$$(basename $$f); corpus=tests/fuzz/corpus/$$name; work=build-fuzz/corpus/$$name; \
	  mkdir -p $$work; echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$work $$corpus; \
	done

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
