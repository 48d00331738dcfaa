# Wraps CMake. `make run` and `make test` do all the set-up on a fresh Debian machine.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

DEBIAN_PACKAGES = g++ cmake make pkg-config qt6-base-dev libcairo2-dev libfreetype-dev \
  fonts-dejavu-core fonts-dejavu-extra libicu-dev libcli11-dev nlohmann-json3-dev \
  libgtest-dev libgmock-dev libbenchmark-dev poppler-utils

.PHONY: deps build run test bench clean sample

deps:
	@missing=""; for p in $(DEBIAN_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -z "$$missing" ]; then exit 0; fi; \
	if [ "$$(id -u)" = "0" ]; then \
	  echo "Installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	else \
	  echo "Missing Debian packages. Run as root:"; \
	  echo "  apt-get install -y$$missing"; exit 1; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "No display available (DISPLAY and WAYLAND_DISPLAY are not set): cannot open the window."; exit 1; \
	fi
	$(BUILD)/bin/dosber $(BUILD)/sample

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bin/dosber-bench

clean:
	rm -rf $(BUILD)
