#include "python/src/PyRun.h"

#include "evolution/FossilView.h"

namespace {

enum Field { FITNESS, RULES, ORIGINS, PARENTS };

// Fields [first, first + count) of every fossil entry as a read-only view
// of shape (G, N) when `count` is 1, else (G, N, count).
py::object fieldView(const std::shared_ptr<const RunSnapshot>& s, int first, int count) {
    auto* keep = new std::shared_ptr<const RunSnapshot>(s);
    py::capsule base(keep,
                     [](void* p) { delete static_cast<std::shared_ptr<const RunSnapshot>*>(p); });
    const py::ssize_t entry = FOSSIL_ENTRY_SIZE * sizeof(int32_t);
    std::vector<py::ssize_t> shape = {s->generations, s->populationSize};
    std::vector<py::ssize_t> strides = {entry * s->populationSize, entry};
    if (count > 1) {
        shape.push_back(count);
        strides.push_back(sizeof(int32_t));
    }
    static const int32_t EMPTY = 0;
    const int32_t* data = s->record.empty() ? &EMPTY : s->record.data() + first;
    py::array_t<int32_t> a(shape, strides, data, base);
    py::detail::array_proxy(a.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
    return std::move(a);
}

} // namespace

PyRun::Use::Use(PyRun& r) : r_(r), owns_(false) {
    if (r.user_.load() == std::this_thread::get_id())
        throw std::runtime_error("this Run is already in use by this thread: a progress "
                                 "callback cannot call its own run");
    {
        py::gil_scoped_release released;
        r.mutex_.lock();
    }
    r.user_.store(std::this_thread::get_id());
    owns_ = true;
}

PyRun::Use::~Use() {
    if (!owns_)
        return;
    r_.user_.store(std::thread::id());
    r_.mutex_.unlock();
}

std::shared_ptr<const RunSnapshot> PyRun::snapshot() {
    const bool inCall = user_.load() == std::this_thread::get_id();
    if (snapshot_ && snapshotVersion_ == version_.load() && !inCall)
        return snapshot_;
    std::optional<Use> use;
    if (!inCall)
        use.emplace(*this);
    auto s = std::make_shared<RunSnapshot>();
    {
        py::gil_scoped_release released;
        s->record = run_.wholeRecord();
        s->generations = run_.generations();
        s->populationSize = run_.populationSize();
        s->generation = run_.generation();
        s->selectedSpider = run_.state().selectedSpider;
        s->settings = run_.settings();
    }
    // Inside a progress callback the run goes on changing: nothing is kept.
    if (inCall)
        return s;
    snapshot_ = s;
    snapshotVersion_ = version_.load();
    for (py::object& a : arrays_)
        a = py::object();
    return snapshot_;
}

py::object PyRun::array(int which) {
    static const int FIRST[] = {FOSSIL_FITNESS, 0, FOSSIL_ORIGIN, FOSSIL_PARENT_A};
    static const int COUNT[] = {1, NUM_RULES, 1, 2};
    const std::shared_ptr<const RunSnapshot> s = snapshot();
    if (s != snapshot_) // read from a progress callback: not kept
        return fieldView(s, FIRST[which], COUNT[which]);
    if (!arrays_[which])
        arrays_[which] = fieldView(s, FIRST[which], COUNT[which]);
    return arrays_[which];
}

py::object PyRun::fitness() {
    return array(FITNESS);
}
py::object PyRun::rules() {
    return array(RULES);
}
py::object PyRun::originCodes() {
    return array(ORIGINS);
}
py::object PyRun::parents() {
    return array(PARENTS);
}
