# Wraps CMake. `make run` and `make test` do all the set-up on a fresh Debian machine.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

DEBIAN_PACKAGES = g++ cmake make pkg-config qt6-base-dev qt6-pdf-dev libcairo2-dev libfreetype-dev \
  fonts-dejavu-core fonts-dejavu-extra libicu-dev libcli11-dev nlohmann-json3-dev \
  libgtest-dev libgmock-dev libbenchmark-dev poppler-utils clang libclang-rt-14-dev \
  dpkg-dev file desktop-file-utils appstream lintian qpdf man-db time
FUZZERS = companyload cardload companyparameters settings cardlayout search
# Seconds an input may take before it counts as a hang (more on a busy machine).
FUZZ_TIMEOUT ?= 2

.PHONY: deps build run test bench clean test-sanitize fuzz fuzz-long fuzz-build install package bench-cli

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

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails the run.
test-sanitize: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOSBER_SANITIZE=ON -DDOSBER_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

# The libFuzzer harnesses, and their seed corpora written by the test
# archive writer.
fuzz-build: deps
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOSBER_FUZZ=ON \
	  -DDOSBER_APP=OFF -DDOSBER_TESTS=OFF -DDOSBER_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)
	rm -rf build-fuzz/corpus && build-fuzz/bin/fuzz-seeds build-fuzz/corpus

# Each harness in turn for $(1) seconds, from the seeds and the corpus it
# kept in build-fuzz/work/<harness>; a crash, hang (FUZZ_TIMEOUT), leak or
# sanitizer report fails. The final line gives executions, coverage (cov)
# and features (ft).
define runfuzzers
	@for h in $(FUZZERS); do \
	  mkdir -p build-fuzz/work/$$h build-fuzz/artifacts; \
	  echo "fuzzing $$h for $(1) s"; \
	  build-fuzz/bin/fuzz-$$h -max_total_time=$(1) -timeout=$(FUZZ_TIMEOUT) -rss_limit_mb=2048 \
	    -artifact_prefix=build-fuzz/artifacts/$$h- -print_final_stats=1 \
	    build-fuzz/work/$$h build-fuzz/corpus/$$h > build-fuzz/$$h.log 2>&1 \
	    || { tail -40 build-fuzz/$$h.log; exit 1; }; \
	  grep -E "^#[0-9]+[[:space:]]+DONE|^Done|^stat::number_of_executed_units" build-fuzz/$$h.log; \
	done
endef

# A short run of every harness (CI).
fuzz: fuzz-build
	$(call runfuzzers,$(or $(FUZZ_SECONDS),60))

# The long run: ten minutes a harness unless FUZZ_SECONDS says otherwise.
fuzz-long: fuzz-build
	$(call runfuzzers,$(or $(FUZZ_SECONDS),600))

# PREFIX and DESTDIR as usual: make install PREFIX=/usr DESTDIR=/tmp/image
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package (build/dosber_<version>_<arch>.deb), its dependencies
# from the shared libraries; lintian's errors fail, its warnings are shown.
package: build
	cd $(BUILD) && cpack -G DEB
	@if command -v lintian > /dev/null; then \
	  lintian --fail-on error --info $(BUILD)/dosber_*.deb; \
	fi

bench: build
	$(BUILD)/bin/dosber-bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/dosber-windowbench

# Whole-process figures on a firm of real size against reading its files with
# cat (bench/cli.sh; OLD_CLI=path also measures an earlier dosber-cli).
bench-cli: build
	bash bench/cli.sh $(BUILD) $(OLD_CLI)

clean:
	rm -rf $(BUILD) build-asan build-fuzz
