#pragma once

// The result type of the readers: a value or an Error. GCC builds use
// std::expected. The fuzzing build uses clang 14, whose concepts level does not
// unlock <expected> in libstdc++ 12, so there a small stand-in with the same
// names and the members the core uses takes its place. Write
// expected<T, Error> and unexpected(Error{...}) inside namespace pictavo.

#include <version>

#if defined(__cpp_lib_expected) && __cpp_lib_expected >= 202202L

#include <expected>

namespace pictavo {
using std::expected;
using std::unexpected;
}  // namespace pictavo

#else

#include <exception>
#include <type_traits>
#include <utility>
#include <variant>

namespace pictavo {

template <class E>
class unexpected {
 public:
  explicit unexpected(E error) : error_(std::move(error)) {}
  const E& error() const& { return error_; }
  E& error() & { return error_; }
  E&& error() && { return std::move(error_); }

 private:
  E error_;
};

template <class E>
unexpected(E) -> unexpected<E>;

// value() on an error, as with std::expected.
class bad_expected_access : public std::exception {
 public:
  const char* what() const noexcept override { return "bad expected access"; }
};

namespace expected_detail {
template <class T>
inline constexpr bool IsUnexpected = false;
template <class E>
inline constexpr bool IsUnexpected<unexpected<E> > = true;
}  // namespace expected_detail

template <class T, class E>
class expected {
 public:
  using value_type = T;
  using error_type = E;

  expected() requires std::is_default_constructible_v<T> : data_(std::in_place_index<0>) {}

  template <class U = T>
  requires(std::is_constructible_v<T, U> && !std::is_same_v<std::remove_cvref_t<U>, expected> &&
           !expected_detail::IsUnexpected<
               std::remove_cvref_t<U> >) explicit(!std::is_convertible_v<U, T>) expected(U&& value)
      : data_(std::in_place_index<0>, std::forward<U>(value)) {}

  template <class G>
  expected(const unexpected<G>& error) : data_(std::in_place_index<1>, error.error()) {}
  template <class G>
  expected(unexpected<G>&& error) : data_(std::in_place_index<1>, std::move(error).error()) {}

  bool has_value() const { return data_.index() == 0; }
  explicit operator bool() const { return has_value(); }

  T& operator*() & { return *std::get_if<0>(&data_); }
  const T& operator*() const& { return *std::get_if<0>(&data_); }
  T&& operator*() && { return std::move(*std::get_if<0>(&data_)); }
  T* operator->() { return std::get_if<0>(&data_); }
  const T* operator->() const { return std::get_if<0>(&data_); }

  T& value() & { return Checked(), **this; }
  const T& value() const& { return Checked(), **this; }
  T&& value() && { return Checked(), std::move(**this); }

  template <class U>
  T value_or(U&& fallback) const& {
    return has_value() ? **this : static_cast<T>(std::forward<U>(fallback));
  }

  E& error() & { return *std::get_if<1>(&data_); }
  const E& error() const& { return *std::get_if<1>(&data_); }
  E&& error() && { return std::move(*std::get_if<1>(&data_)); }

 private:
  void Checked() const {
    if (!has_value()) throw bad_expected_access();
  }

  std::variant<T, E> data_;
};

template <class E>
class expected<void, E> {
 public:
  using value_type = void;
  using error_type = E;

  expected() = default;
  template <class G>
  expected(const unexpected<G>& error) : error_(error.error()), has_error_(true) {}
  template <class G>
  expected(unexpected<G>&& error) : error_(std::move(error).error()), has_error_(true) {}

  bool has_value() const { return !has_error_; }
  explicit operator bool() const { return has_value(); }
  void value() const {
    if (has_error_) throw bad_expected_access();
  }

  E& error() & { return error_; }
  const E& error() const& { return error_; }
  E&& error() && { return std::move(error_); }

 private:
  E error_{};
  bool has_error_ = false;
};

}  // namespace pictavo

#endif
