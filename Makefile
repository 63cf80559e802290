# make run   installs what is missing, builds and starts Sweepora
# make test  installs what is missing, builds and runs every test headless
BUILD_DIR ?= build
JOBS ?= 2

.PHONY: all deps build run test bench clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/src/app/sweepora

test: build
	scripts/run-tests.sh $(BUILD_DIR)

bench: build
	@scripts/install-deps.sh --bench
	bench/run.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
