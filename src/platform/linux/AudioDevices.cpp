#include "platform/AudioDevices.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>
#include <pulse/proplist.h>

#include <cstdio>

namespace Dunmorra::Platform {

namespace {

using Clock = std::chrono::steady_clock;

AudioProperties toProperties(const pa_proplist* list)
{
    AudioProperties out;
    if (!list)
        return out;
    void* state = nullptr;
    while (const char* key = pa_proplist_iterate(list, &state)) {
        // Binary values (icons and the like) have no text form; skip them.
        if (const char* value = pa_proplist_gets(list, key))
            out.emplace(key, value);
    }
    return out;
}

std::string text(const char* s) { return s ? std::string(s) : std::string(); }

std::vector<std::uint32_t> volumes(const pa_cvolume& v)
{
    std::vector<std::uint32_t> out;
    if (!pa_cvolume_valid(&v))
        return out;
    out.assign(v.values, v.values + v.channels);
    return out;
}

// The requests of one reading, filled by the server's callbacks.
struct Reading {
    AudioServerState state;
    int outstanding = 0;
    bool failed = false;

    template <typename Info>
    bool finishOrFail(const Info* info, int eol)
    {
        if (eol < 0) {
            failed = true;
            --outstanding;
            return true;
        }
        if (eol > 0 || !info) {
            --outstanding;
            return true;
        }
        return false;
    }
};

template <typename Info>
void fillDevice(AudioDeviceRecord& d, const Info* i, bool hardware)
{
    d.index = i->index;
    d.name = text(i->name);
    d.description = text(i->description);
    d.driver = text(i->driver);
    if (i->active_port) {
        d.activePortName = text(i->active_port->name);
        d.activePortDescription = text(i->active_port->description);
    }
    d.hardware = hardware;
    d.channelVolumes = volumes(i->volume);
    d.muted = i->mute != 0;
    d.sampleRate = i->sample_spec.rate;
    d.channels = i->sample_spec.channels;
    d.properties = toProperties(i->proplist);
}

void onServerInfo(pa_context*, const pa_server_info* info, void* userdata)
{
    auto* r = static_cast<Reading*>(userdata);
    if (info) {
        r->state.defaultSinkName = text(info->default_sink_name);
        r->state.defaultSourceName = text(info->default_source_name);
    } else {
        r->failed = true;
    }
    --r->outstanding;
}

void onSink(pa_context*, const pa_sink_info* i, int eol, void* userdata)
{
    auto* r = static_cast<Reading*>(userdata);
    if (r->finishOrFail(i, eol))
        return;
    AudioDeviceRecord d;
    fillDevice(d, i, (i->flags & PA_SINK_HARDWARE) != 0);
    r->state.sinks.push_back(std::move(d));
}

void onSource(pa_context*, const pa_source_info* i, int eol, void* userdata)
{
    auto* r = static_cast<Reading*>(userdata);
    if (r->finishOrFail(i, eol))
        return;
    AudioDeviceRecord d;
    fillDevice(d, i, (i->flags & PA_SOURCE_HARDWARE) != 0);
    d.monitorOfSink = i->monitor_of_sink;
    r->state.sources.push_back(std::move(d));
}

void onSinkInput(pa_context*, const pa_sink_input_info* i, int eol, void* userdata)
{
    auto* r = static_cast<Reading*>(userdata);
    if (r->finishOrFail(i, eol))
        return;
    r->state.playbackStreams.push_back(
        {i->index, i->client, i->corked != 0, text(i->resample_method), toProperties(i->proplist)});
}

void onSourceOutput(pa_context*, const pa_source_output_info* i, int eol, void* userdata)
{
    auto* r = static_cast<Reading*>(userdata);
    if (r->finishOrFail(i, eol))
        return;
    r->state.recordStreams.push_back(
        {i->index, i->client, i->corked != 0, text(i->resample_method), toProperties(i->proplist)});
}

void onClient(pa_context*, const pa_client_info* i, int eol, void* userdata)
{
    auto* r = static_cast<Reading*>(userdata);
    if (r->finishOrFail(i, eol))
        return;
    r->state.clients.push_back({i->index, text(i->name), toProperties(i->proplist)});
}

} // namespace

struct AudioServerConnection::Impl {
    std::string clientName;
    std::chrono::milliseconds deadline;
    pa_mainloop* loop = nullptr;
    pa_context* context = nullptr;

    ~Impl()
    {
        dropContext();
        if (loop)
            pa_mainloop_free(loop);
    }

    void dropContext()
    {
        if (!context)
            return;
        pa_context_disconnect(context);
        pa_context_unref(context);
        context = nullptr;
    }

    // One round of the private main loop, waiting at most until `until`.
    // False when the loop itself broke.
    bool iterate(Clock::time_point until)
    {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(until - Clock::now());
        const int timeoutUs = static_cast<int>(std::max<std::int64_t>(0, left.count()));
        if (pa_mainloop_prepare(loop, timeoutUs) < 0)
            return false;
        if (pa_mainloop_poll(loop) < 0)
            return false;
        return pa_mainloop_dispatch(loop) >= 0;
    }

    bool contextDead() const
    {
        const pa_context_state_t s = pa_context_get_state(context);
        return s == PA_CONTEXT_FAILED || s == PA_CONTEXT_TERMINATED;
    }

    // Makes sure a ready connection exists, reconnecting once when the
    // server went away since the last reading.
    bool ensureReady(Clock::time_point until)
    {
        if (!loop)
            loop = pa_mainloop_new();
        if (!loop)
            return false;
        if (context) {
            // Take in whatever happened since the last reading (a hang-up
            // shows as a failed context only once dispatched).
            if (!iterate(Clock::now()))
                return false;
            if (contextDead())
                dropContext();
        }
        if (!context) {
            // The library looks for the server where all its clients do
            // (PULSE_SERVER, the client configuration, PULSE_RUNTIME_PATH,
            // XDG_RUNTIME_DIR/pulse, its fallback under the home folder, the
            // system socket); with none there the attempt fails in some tens
            // of microseconds, so no check of our own stands in front of it.
            pa_proplist* props = pa_proplist_new();
            pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, clientName.c_str());
            context = pa_context_new_with_proplist(pa_mainloop_get_api(loop), clientName.c_str(), props);
            pa_proplist_free(props);
            if (!context)
                return false;
            if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
                dropContext();
                return false;
            }
        }
        while (pa_context_get_state(context) != PA_CONTEXT_READY) {
            if (contextDead() || Clock::now() >= until || !iterate(until)) {
                dropContext();
                return false;
            }
        }
        return true;
    }

    std::optional<AudioServerState> read()
    {
        const auto until = Clock::now() + deadline;
        if (!ensureReady(until))
            return std::nullopt;

        Reading reading;
        pa_operation* ops[] = {
            pa_context_get_server_info(context, onServerInfo, &reading),
            pa_context_get_sink_info_list(context, onSink, &reading),
            pa_context_get_source_info_list(context, onSource, &reading),
            pa_context_get_sink_input_info_list(context, onSinkInput, &reading),
            pa_context_get_source_output_info_list(context, onSourceOutput, &reading),
            pa_context_get_client_info_list(context, onClient, &reading),
        };
        bool ok = true;
        for (pa_operation* op : ops) {
            if (op)
                ++reading.outstanding;
            else
                ok = false;
        }
        while (ok && reading.outstanding > 0) {
            if (contextDead() || Clock::now() >= until || !iterate(until))
                ok = false;
        }
        for (pa_operation* op : ops) {
            if (!op)
                continue;
            // Callbacks must not run later into this stack frame's Reading.
            if (pa_operation_get_state(op) == PA_OPERATION_RUNNING)
                pa_operation_cancel(op);
            pa_operation_unref(op);
        }
        if (!ok || reading.failed) {
            // A stalled or broken server: start afresh next time rather than
            // wait behind requests that may never be answered.
            dropContext();
            return std::nullopt;
        }
        return std::move(reading.state);
    }
};

AudioServerConnection::AudioServerConnection(std::string clientName, std::chrono::milliseconds deadline)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->clientName = std::move(clientName);
    m_impl->deadline = deadline;
}

AudioServerConnection::~AudioServerConnection() = default;

std::optional<AudioServerState> AudioServerConnection::read()
{
    std::lock_guard lock(m_mutex);
    return m_impl->read();
}

} // namespace Dunmorra::Platform
